#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and the program
# need, when they are missing; complete on a minimal (minbase) system.
# Further package names given as arguments are installed too (the screenshot
# script asks for ImageMagick this way); --list prints the packages and stops.
# As a user who is neither root nor able to sudo, it names what to install.
set -euo pipefail

packages=(
  cmake make g++                    # build
  qt6-base-dev qt6-charts-dev       # Qt 6 Core, Widgets, Print Support, Test; Charts
  libqt6opengl6-dev libgl-dev       # the Charts and Gui CMake packages look for OpenGL
  libqt6svg6                        # SVG icons (the xcb and offscreen platforms come with libqt6gui6)
  qt6-svg-dev                       # Qt Svg: the graph saved as an SVG picture
  fonts-ipafont fonts-dejavu-core   # Japanese and Latin fonts for the designs' font names
  qt6-translations-l10n             # Japanese texts of Qt's own dialogs
  desktop-file-utils appstream      # desktop-file-validate and appstreamcli, run by the tests on our metadata
  clang libclang-rt-14-dev          # the fuzz targets: clang and its libFuzzer and sanitizer runtimes
  python3 python3-openpyxl          # the food composition importer and its tests
  xvfb xdotool dbus-daemon          # the test that drives the windows of the README's pictures
  at-spi2-core python3-pyatspi      #   under Xvfb, finding their controls through AT-SPI
)
if [ "${1:-}" = --list ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1 || ! sudo -v 2>/dev/null; then
    echo "setup.sh: packages missing; as root run: apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
