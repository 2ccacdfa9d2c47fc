#!/usr/bin/env bash
# Makes the README's screenshots again: installs the program into a fresh
# program folder, starts it under Xvfb, picks a table and a few foods with the
# mouse and keyboard, and takes the main window; then records a few weights
# and takes the graph window.
#   bash scripts/screenshots.sh        (writes resources/screenshots/*.png)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh xvfb xdotool imagemagick
out=$PWD/resources/screenshots
mkdir -p "$out"

work=$(mktemp -d)
display=:$((90 + RANDOM % 9))
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_DATA_HOME=$work/share ZENKARTA_HOME=$work/zenkarta LC_ALL=C.UTF-8
program=$(bash scripts/install.sh)

# A weight item with a target and a month of values (Shift-JIS, as the program writes them).
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
printf '%s\xffkg\xff60\r\n' "$(sjis 体重)" >"$ZENKARTA_HOME/setting/graph.dat"
weights=(62.4 62.1 62.3 61.8 61.9 61.5 61.7 61.2 61.4 61.0 61.3 60.8 60.9 61.1 60.6 60.7 60.4 60.5 60.2 60.3)
for i in "${!weights[@]}"; do # the last twenty days, ending today
  printf '%s\xff%s\r\n' "$(date -d "$((${#weights[@]} - 1 - i)) days ago" +%Y/%m/%d)" "${weights[$i]}"
done >"$ZENKARTA_HOME/record/体重.dat"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
"$program" >/dev/null 2>&1 &
app=$!
main=$(xdotool search --sync --onlyvisible --name '^Zenkarta$' | head -n 1)
xdotool windowmove "$main" 0 0 windowsize "$main" 1000 640
sleep 1

click() { xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 80 1; sleep 0.4; }
# A table of the calorie-file window, then four of its foods into the intake list.
click "$main" 83 149
for y in 162 267 447 567; do
  click "$main" 290 "$y" 2
done
sleep 0.5
import -window "$main" "$out/main.png"

xdotool key ctrl+g
graph=$(xdotool search --sync --onlyvisible --name '^ｸﾞﾗﾌ$' | head -n 1)
xdotool windowmove "$graph" 0 0 windowsize "$graph" 900 560
sleep 0.5
click "$graph" 60 46 # the weight, below the food diary's daily totals
sleep 1
import -window "$graph" "$out/graph.png"
echo "screenshots: $out/main.png $out/graph.png"
