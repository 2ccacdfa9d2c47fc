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
data=$PWD/data
expect "$data/zenkarta-portable" -u ZENKARTA_HOME XDG_DATA_HOME="$data"
expect "$HOME/.local/share/zenkarta-portable" -u ZENKARTA_HOME XDG_DATA_HOME=relative
# An install from before the package took …/zenkarta/ stays there.
mkdir -p "$data/zenkarta" && : >"$data/zenkarta/zenkarta"
expect "$data/zenkarta" -u ZENKARTA_HOME XDG_DATA_HOME="$data"
# The package's user folder (no executable in it) is never the portable one.
rm "$data/zenkarta/zenkarta"
expect "$data/zenkarta-portable" -u ZENKARTA_HOME XDG_DATA_HOME="$data"
echo "install_folder: all checks passed"
