#!/usr/bin/env bash
# The program folder install.sh (and so run.sh) uses, from where the command
# is typed: a relative ZENKARTA_HOME is taken there, not in the checkout.
#   bash install_folder_test.sh <install.sh> <empty work folder>
set -euo pipefail
script=$(realpath "$1")
mkdir -p "$2/typed here"
cd "$2/typed here"
expect() { # what the folder should be, then the environment
  local want=$1 got
  shift
  got=$(env "$@" bash "$script" --print-folder)
  [ "$got" = "$want" ] || { echo "FAIL: $* gives '$got', expected '$want'" >&2; exit 1; }
}
here=$PWD
expect "$here/zk" ZENKARTA_HOME=zk
expect "$here/../up/zk" ZENKARTA_HOME=../up/zk
expect /abs/zk ZENKARTA_HOME=/abs/zk
expect /data/zenkarta -u ZENKARTA_HOME XDG_DATA_HOME=/data
expect "$HOME/.local/share/zenkarta" -u ZENKARTA_HOME XDG_DATA_HOME=relative
echo "install_folder: all checks passed"
