#!/usr/bin/env bash
# Fails when a CMake package that configuring BUILD_DIR used comes from a
# Debian package outside what setup.sh installs (with its dependencies):
# such a package is only on this machine by chance, and a fresh one lacks it.
#   bash scripts/check-packages.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
cache=${1:-build}/CMakeCache.txt
[ -f "$cache" ] || { echo "check-packages: no $cache; configure first" >&2; exit 2; }

mapfile -t wanted < <(bash scripts/setup.sh --list)
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
  --no-breaks --no-replaces --no-enhances "${wanted[@]}" |
  sed -nE 's/^ *(\|?(Pre)?Depends: *)?<?([^ <>:]+)(:[a-z0-9]+)?>?$/\3/p' | sort -u)

owner_of() { # the Debian package holding a file, by its path or by its target
  dpkg -S "$1" 2>/dev/null || dpkg -S "$(readlink -f "$1")" 2>/dev/null
}
owners=()
while IFS='=' read -r key dir; do
  name=${key%%_DIR:*}
  for config in "$dir/${name}Config.cmake" "$dir/${name,,}-config.cmake"; do
    [ -f "$config" ] || continue
    owner=$(owner_of "$config" | head -n 1 | cut -d: -f1) || true
    owners+=("${owner:-$config (in no package)}")
  done
done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/' "$cache")

missing=()
mapfile -t owners < <(printf '%s\n' "${owners[@]}" | sort -u)
for owner in "${owners[@]}"; do
  grep -qxF "$owner" <<<"$closure" || missing+=("$owner")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "check-packages: the build uses CMake packages from ${missing[*]}, which scripts/setup.sh does not install" >&2
  exit 1
fi
echo "check-packages: the ${#owners[@]} CMake packages the build uses all come from what setup.sh installs"
