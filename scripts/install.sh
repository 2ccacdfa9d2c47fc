#!/usr/bin/env bash
# Builds the program alone and installs it as a portable folder into
# ${ZENKARTA_HOME:-${XDG_DATA_HOME:-~/.local/share}/zenkarta-portable}, with a
# desktop entry and an icon. (…/zenkarta/ is the user's folder of the Debian
# package; an install made there before keeps being updated there.) Over an existing folder it is an update: the executable
# and the help pages are replaced, bundled tables the folder never had are
# added, and the user's tables, setting/ and record/ are left as they are.
# Prints the installed program's path on standard output, everything else on
# standard error. With --print-folder it only prints the folder it would use.
set -euo pipefail
# A relative ZENKARTA_HOME names a folder under the one the command was typed
# in; a relative XDG_DATA_HOME is not valid and is passed over.
data_home=$HOME/.local/share
case ${XDG_DATA_HOME:-} in /*) data_home=$XDG_DATA_HOME ;; esac
home=${ZENKARTA_HOME:-}
if [ -z "$home" ]; then
  home=$data_home/zenkarta-portable
  [ -f "$data_home/zenkarta/zenkarta" ] && [ ! -e "$home" ] && home=$data_home/zenkarta
fi
case $home in /*) ;; *) home=$PWD/$home ;; esac
if [ "${1:-}" = --print-folder ]; then
  echo "$home"
  exit 0
fi
cd "$(dirname "$0")/.."

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zenkarta -j"$(nproc)" >&2
mkdir -p "$home"
home=$(cd "$home" && pwd)
cmake --install build --component portable --prefix "$home" >/dev/null

mkdir -p "$data_home/applications" "$data_home/icons/hicolor/scalable/apps"
cmake -DEXEC="$home/zenkarta" -DOUT="$data_home/applications/zenkarta.desktop" -P cmake/desktop_entry.cmake
cp resources/icons/zenkarta.svg "$data_home/icons/hicolor/scalable/apps/zenkarta.svg"
# Menus pick the new entry up by themselves; the caches only make it quicker.
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data_home/applications" || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$data_home/icons/hicolor" 2>/dev/null || true
echo "$home/zenkarta"
