#!/usr/bin/env bash
# Sets up, builds and starts the program with its bundled tables.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/program/zenkarta
