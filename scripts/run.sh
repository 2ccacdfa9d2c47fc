#!/usr/bin/env bash
# Sets up what is missing, builds and installs the program into the user's
# program folder (see install.sh) and starts it from there.
set -euo pipefail
# The folder is settled where the command was typed (a relative ZENKARTA_HOME
# is relative to it), before the scripts move to the checkout.
ZENKARTA_HOME=$(bash "$(dirname "$0")/install.sh" --print-folder)
export ZENKARTA_HOME
cd "$(dirname "$0")/.."
bash scripts/setup.sh
program=$(bash scripts/install.sh)
exec "$program"
