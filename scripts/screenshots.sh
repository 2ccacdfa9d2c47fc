#!/usr/bin/env bash
# Makes the README's screenshots again from the windows as a new user gets
# them: installs the program into a fresh program folder, starts it under
# Xvfb and, as a user would with the mouse and the keyboard, picks foods of the
# food composition table into the day's intake list with their amounts and
# takes the main window; then gives the food diary four weeks of such days
# and takes the graph of the daily totals and last week's report. Every
# control is found through the accessibility tree by its name (scripts/atspi.py),
# never by where it was: a control that is not there ends the script with its
# name, and no picture is written.
#   bash scripts/screenshots.sh [BUILD]            writes resources/screenshots/*.png
#   bash scripts/screenshots.sh --check [BUILD]    the same steps, writing no picture
# BUILD is a build folder whose program is taken as it is (the check of the
# tests takes the one they test); without it install.sh builds the program.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

if [ "${1:-}" != --inside ]; then
  mode=pictures
  [ "${1:-}" = --check ] && { mode=check; shift; }
  build=${1:-}
  work=$(mktemp -d /tmp/zenkarta-screenshots.XXXXXX)
  trap 'rm -rf "$work"' EXIT
  home=$work/zenkarta
  if [ "$mode" = pictures ]; then
    bash scripts/setup.sh imagemagick >&2
  elif [ -z "$build" ]; then
    bash scripts/setup.sh >&2
  fi
  if [ -n "$build" ]; then
    cmake --install "$build" --component portable --prefix "$home" >/dev/null
  else
    XDG_DATA_HOME=$work/share ZENKARTA_HOME=$home bash scripts/install.sh >/dev/null
  fi

  # A weight item with its target and four weeks of values, as the diary and
  # the settings' item page write them (Shift-JIS, cells split by the byte
  # 0xFF, CR LF).
  sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
  printf '%s\xffkg\xff60\r\n' "$(sjis 体重)" >"$home/setting/graph.dat"
  weights=(62.8 62.6 62.9 62.4 62.5 62.1 62.3 62.2 61.9 62.0 61.7 61.8 61.5 61.6
    61.6 61.3 61.4 61.1 61.2 60.9 61.0 60.8 60.9 60.6 60.7 60.5 60.6 60.3)
  for i in "${!weights[@]}"; do # ending today
    printf '%s\xff%s\r\n' "$(date -d "$((${#weights[@]} - 1 - i)) days ago" +%Y/%m/%d)" "${weights[$i]}"
  done >"$home/record/体重.dat"

  out=$PWD/resources/screenshots
  # The session's services are talkative; their words are shown on a failure.
  # A sanitizer build's options reach its program, but for strict string
  # checks: on X11, libxkbcommon-x11 (reading the keymap) hands strndup a
  # length that runs past the end of an X reply, which those checks report as
  # an overflow before the program has begun; the bytes strndup reads stay
  # checked.
  env -i PATH="$PATH" HOME="$work" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    ${ASAN_OPTIONS+ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"} \
    ${UBSAN_OPTIONS+UBSAN_OPTIONS="$UBSAN_OPTIONS"} \
    dbus-run-session -- bash "$self" --inside "$mode" "$work" "$out" 2>"$work/session.log" ||
    { grep -v -e "^$" -e portal -e dbus-daemon "$work/session.log" | tail -n 15 >&2; exit 1; }
  exit
fi

mode=$2 work=$3 out=$4
home=$work/zenkarta
exec 3>&1 # what atspi.py could not find is told here, also from inside $(...)
atspi() { /usr/bin/python3 scripts/atspi.py "$@" 2>&3; }
say() { echo "screenshots: $*"; }
fail() { say "FAIL $*"; exit 1; }
# Clicks (or with double, double-clicks) what atspi.py finds with the rest of
# the arguments; a sub-command such as "where" or "reveal" gives its centre.
click() {
  local repeat=1 at
  [ "$1" = double ] && { repeat=2; shift; }
  at=$(atspi "$@")
  xdotool mousemove $at click --repeat "$repeat" --delay 80 1
  sleep 0.1
}
# Drags the right edge of the named control of the main window to make it
# WIDTH pixels wide: the splitter handle or the dock's separator beside it.
widen() {
  local box x y w h
  box=$(atspi --window Zenkarta box "$1")
  read -r x y w h <<<"$box"
  xdotool mousemove $((x + w + 1)) $((y + h / 2)) sleep 0.2 mousedown 1 sleep 0.2 \
    mousemove $((x + $2 + 1)) $((y + h / 2)) sleep 0.2 mouseup 1
  sleep 0.3
  read -r x y w h <<<"$(atspi --window Zenkarta box "$1")"
  ((w > $2 - 4 && w < $2 + 4)) || fail "'$1' is $w pixels wide after dragging its edge, not $2"
}
# Sets a check box of the graph window to yes or no.
tick() {
  local state
  state=$(atspi --window ｸﾞﾗﾌ checked "$1")
  [ "$state" = "$2" ] || click --window ｸﾞﾗﾌ where "$1"
  state=$(atspi --window ｸﾞﾗﾌ checked "$1")
  [ "$state" = "$2" ] || fail "'$1' of the graph window stays '$state' when clicked"
}
# Takes a window of the given title, or in a check only looks that it is there.
take() {
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
  [ -n "$id" ] || fail "no window titled '$1' is shown"
  if [ "$mode" = pictures ]; then
    xdotool mousemove 1279 899 sleep 0.6 # no tooltip in the picture
    import -window "$id" "$out/$2"
    say "$out/$2"
  fi
}
# Sets the X window of the given title at the top left, at a size.
place() {
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
  [ -n "$id" ] || fail "no window titled '$1' is shown"
  xdotool windowmove "$id" 0 0 windowsize "$id" "$2" "$3"
  sleep 0.3
}

Xvfb -displayfd 4 -screen 0 1280x900x24 -nolisten tcp 4>"$work/display" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
finish() {
  local status=$?
  if [ "$status" -ne 0 ] && [ -n "${app:-}" ] && ! kill -0 "$app" 2>/dev/null; then
    say "the program had ended; the last of its output:"
    tail -n 20 "$work/program.log"
  fi
  kill $(jobs -p) 2>/dev/null || true
}
trap finish EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$home/zenkarta" >"$work/program.log" 2>&1 &
app=$!
atspi --window Zenkarta wait 食品ツリー 30

place Zenkarta 1160 700
widen ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ 190
widen 食品ツリー 320

# The daily standard of an adult woman, 2,000 kcal, in the settings.
click --window Zenkarta where 詳細設定 "push button"
atspi --window 設定 wait ｶﾛﾘｰ "page tab" 10
click --window 設定 where ｶﾛﾘｰ "page tab"
click --window 設定 where 一日の摂取ｶﾛﾘｰの指標 "spin button"
xdotool key ctrl+a type 2000
click --window 設定 where OK "push button"
atspi --window Zenkarta wait "1日の基準 : 2000 kcal" "combo box" 5

# A day of the food composition table: a table, a food of it, its grams.
day=(
  穀類 "こむぎ ［パン類］ 角形食パン 食パン" 120
  卵類 "鶏卵 全卵 ゆで" 50
  乳類 "（液状乳類） 普通牛乳" 200
  果実類 "バナナ 生" 120
  穀類 "こむぎ ［うどん・そうめん類］ うどん ゆで" 300
  肉類 "ぶた ［大型種肉］ ロース 脂身つき 焼き" 150
  野菜類 "ブロッコリー 花序 ゆで" 80
  豆類 "だいず ［納豆類］ 糸引き納豆" 45
  穀類 "こめ ［水稲めし］ 精白米 うるち米" 250
)
amounts=()
for ((i = 0; i < ${#day[@]}; i += 3)); do
  table=${day[i]} food=${day[i + 1]} amounts+=("${day[i + 2]} g")
  # The table from the calorie-file window, then the food through the filter.
  click --window Zenkarta reveal カロリーデータファイル "$table"
  atspi --window Zenkarta enter 食品の絞り込み "$food"
  click double --window Zenkarta --in 食品ツリー where "$food" "table cell"
done
# The amounts typed over in the 量 cells, from the first row down (F2 edits
# the amount of the row the list is on; its editor is not in the
# accessibility tree, what it leaves in the cell is).
click --window Zenkarta --in 摂取リスト where "${day[1]}" "table cell"
for amount in "${amounts[@]}"; do
  xdotool key F2 sleep 0.1 type "${amount% g}"
  xdotool key Return sleep 0.1 key Down
done
got=$(atspi --window Zenkarta column 摂取リスト 量)
want=$(printf '%s\n' "${amounts[@]}")
[ "$got" = "$want" ] || fail "the intake list's amounts are ${got//$'\n'/, } after typing ${want//$'\n'/, }"
balance=$(atspi --window Zenkarta text 栄養素とPFCバランス)
[[ $balance == *PFC* ]] || fail "the nutrients and PFC balance say '$balance'"

# The whole table shown, the rice chosen: its nutrients in the status bar.
click --window Zenkarta where 食品の絞り込み
xdotool key Escape
click --window Zenkarta reveal 食品ツリー "${day[-2]}"
take Zenkarta main.png

# Four weeks of days before today, each of today's rows as the program wrote
# them but for a few: the rows (from 0) that each day, from yesterday back,
# leaves out ("-" none).
left_out=(8 5 17 07 8 3 78 2 2 568 - 12 046 - 478 68 7 5 - - 7 4 46 8 456 36 0)
intake=$home/record/intake
today=$intake/$(date +%F).dat
[ -s "$today" ] || fail "the food diary wrote no $today"
mapfile -t lines <"$today"
for d in "${!left_out[@]}"; do
  for r in "${!lines[@]}"; do
    [[ ${left_out[d]} == *$r* ]] || printf '%s\n' "${lines[r]}"
  done >"$intake/$(date -d "$((d + 1)) days ago" +%F).dat"
done

# The graph of the daily totals with the target and the moving average.
click --window Zenkarta where ｸﾞﾗﾌ "push button"
atspi --window ｸﾞﾗﾌ wait 移動平均 10
place ｸﾞﾗﾌ 900 560
click --window ｸﾞﾗﾌ where "摂取ｶﾛﾘｰ[kcal]" "list item"
tick 目標値を表示 yes
tick 移動平均 yes
tick 日付の間隔で表示 no
sleep 0.5
take ｸﾞﾗﾌ graph.png
xdotool key Escape

# Last week's report, Monday to Sunday.
click --window Zenkarta where ﾚﾎﾟｰﾄ "push button"
atspi --window ﾚﾎﾟｰﾄ wait 前の期間 10
place ﾚﾎﾟｰﾄ 760 640
click --window ﾚﾎﾟｰﾄ where 前の期間
monday=$(date -d "$(($(date +%u) + 6)) days ago" +%F)
atspi --window ﾚﾎﾟｰﾄ wait "$(date -d "$monday" +%Y/%m/%d)～$(date -d "$monday 6 days" +%Y/%m/%d)" label 5
take ﾚﾎﾟｰﾄ report.png
kill -0 "$app" 2>/dev/null || fail "the program ended before the last picture"
[ "$mode" = pictures ] || say "ok: every control the pictures need was found and worked"
