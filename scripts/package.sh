#!/usr/bin/env bash
# Builds the Debian package zenkarta_<version>_amd64.deb in the top folder and
# has lintian check it. ZENKARTA_PACKAGE_VERSION=<version> gives the package
# another version than the program's (a test of an upgrade does so).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh dpkg-dev file librsvg2-bin lintian >&2
version=${ZENKARTA_PACKAGE_VERSION:-}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENKARTA_PACKAGE_VERSION="$version" >/dev/null
cmake --build build --target zenkarta package_files -j"$(nproc)" >&2
(cd build && cpack -G DEB -B "$PWD/packages" >&2)
deb=$(ls -t build/packages/zenkarta_*_amd64.deb | head -n 1)
cp "$deb" .
lintian --fail-on error "$(basename "$deb")" >&2
echo "$PWD/$(basename "$deb")"
