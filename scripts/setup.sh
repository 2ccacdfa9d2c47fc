#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and the program
# need, when they are missing.
set -euo pipefail

packages=(
  cmake make g++                       # build
  qt6-base-dev qt6-charts-dev libgl-dev # Qt 6 Widgets, Charts, Print Support, Test
  qt6-qpa-plugins libqt6svg6           # the xcb and offscreen platforms, SVG icons
  fonts-ipafont fonts-dejavu-core      # Japanese and Latin fonts for the designs' font names
  qt6-translations-l10n                # Japanese texts of Qt's own dialogs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
