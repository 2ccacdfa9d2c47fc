#!/usr/bin/env bash
# Sets up what is missing, builds and installs the program into the user's
# program folder (see install.sh) and starts it from there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
program=$(bash scripts/install.sh)
exec "$program"
