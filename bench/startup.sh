#!/usr/bin/env bash
# Times the program's start against a bare Qt window (bench/bare/) under Xvfb:
# each is started 9 times, the two in turn, and timed from its start to its
# main window mapped (the MapNotify that xev sees on the root window); one
# second later its memory is read (proportional set size). Prints the medians
# and their ratios. The program starts in a program folder of its own with the
# bundled tables, as a new user's does.
#   bash bench/startup.sh [build folder]      (default build-rel, a Release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-rel}
bash scripts/setup.sh xvfb x11-utils >&2
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target zenkarta zenkarta_bare_window -j"$(nproc)" >/dev/null

work=$(mktemp -d)
mkdir -p "$work/program/setting" "$work/program/record"
cp -a "$build/program/zenkarta" "$build/program/help" "$work/program/"
"$build/src/zenkarta_install_tables" data "$work/program"
n=90
while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
export DISPLAY=:$n
# Neither finds a session bus, as under Xvfb on a fresh machine: where
# dbus-launch is installed, each start would otherwise launch a bus of its own,
# which takes longer than the rest of the start and varies with it.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
trap 'kill "$xvfb" "$XEV_PID" 2>/dev/null || true; rm -rf "$work"' EXIT

# Starts the command; prints the microseconds until its window was mapped and
# its memory in kB one second later.
start() {
  local t0 t1 line pid pss
  t0=${EPOCHREALTIME/./}
  "$@" >/dev/null 2>&1 &
  pid=$!
  while read -r line <&"${XEV[0]}"; do [[ $line == MapNotify* ]] && break; done
  t1=${EPOCHREALTIME/./}
  sleep 1
  pss=$(awk '/^Pss:/ { print $2 }' "/proc/$pid/smaps_rollup")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$((t1 - t0)) $pss"
}
median() { sort -n | sed -n 5p; }

start "$build/bench/zenkarta_bare_window" >/dev/null # the first start warms the caches
start "$work/program/zenkarta" >/dev/null
bare=() ours=()
for _ in $(seq 9); do
  bare+=("$(start "$build/bench/zenkarta_bare_window")")
  ours+=("$(start "$work/program/zenkarta")")
done
bare_ms=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f1 | median)
ours_ms=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f1 | median)
bare_kb=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f2 | median)
ours_kb=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f2 | median)
awk -v b="$bare_ms" -v o="$ours_ms" -v bk="$bare_kb" -v ok="$ours_kb" 'BEGIN {
  printf "start to window shown, median of 9: bare Qt window %.1f ms, Zenkarta %.1f ms, ratio %.2f\n", b / 1000, o / 1000, o / b
  printf "memory after start (PSS), median of 9: bare Qt window %.1f MB, Zenkarta %.1f MB, ratio %.2f\n", bk / 1024, ok / 1024, ok / bk
}'
