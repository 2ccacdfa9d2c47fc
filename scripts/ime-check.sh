#!/usr/bin/env bash
# Checks that Japanese typed through an input method reaches the program, as
# on a Debian 12 desktop with ibus and Mozc: under Xvfb, romaji typed with real
# key presses into the food filter and into the search box and converted
# (Space, then Return to commit) must arrive as the converted text, and the
# filter must narrow the food tree. The controls are found by their names in
# the accessibility tree (scripts/atspi.py).
# Mozc's converter refuses to run as root; run as root, the check runs as the
# user nobody. The program runs from a fresh program folder of its own.
#   bash scripts/ime-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --inside ]; then
  bash scripts/setup.sh xvfb xdotool x11-utils dbus-daemon ibus ibus-mozc at-spi2-core \
    python3-pyatspi gir1.2-atspi-2.0 >&2
  bash scripts/build.sh >/dev/null
  work=$(mktemp -d /tmp/zenkarta-ime.XXXXXX)
  trap 'rm -rf "$work"' EXIT
  chmod 755 "$work"
  mkdir -p "$work/program/setting" "$work/program/record" "$work/home/.config/mozc"
  cp -a build/program/zenkarta build/program/help "$work/program/"
  build/src/zenkarta_install_tables data "$work/program"
  cp scripts/ime-check.sh scripts/atspi.py "$work/"
  # Mozc's engine as Debian sets it up, starting in its hiragana mode, as
  # after the user's 半角/全角 key.
  cat >"$work/home/.config/mozc/ibus_config.textproto" <<'END'
engines {
  name: "mozc-jp"
  longname: "Mozc"
  layout: "default"
  rank: 80
}
active_on_launch: True
END
  as=()
  if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$work"
    as=(runuser -u nobody --)
  fi
  # The session's services are talkative; their words are shown on a failure.
  "${as[@]}" env -i PATH="$PATH" HOME="$work/home" LANG=C.UTF-8 \
    dbus-run-session -- bash "$work/ime-check.sh" --inside "$work" 2>"$work/session.log" ||
    { grep -v -e "^$" -e portal "$work/session.log" | tail -n 15 >&2; exit 1; }
  exit
fi

work=$2
atspi() { /usr/bin/python3 "$work/atspi.py" "$@"; }
fail() { echo "ime-check: FAIL $*"; exit 1; }
n=90
while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
ibus-daemon --daemonize --replace --panel=disable 2>/dev/null
# A first start of ibus takes a while to know its engines.
for _ in $(seq 300); do ibus engine mozc-jp 2>/dev/null && break; sleep 0.1; done
[ "$(ibus engine 2>/dev/null)" = mozc-jp ] || fail "ibus has no Mozc engine"
QT_IM_MODULE=ibus QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/program/zenkarta" >"$work/program.log" 2>&1 &
atspi wait 食品の絞り込み 30

# Types romaji into the named box with one key press a letter, converts and
# commits; prints what the box holds then.
type_converted() {
  xdotool mousemove $(atspi where "$1") click 1
  sleep 0.5
  for ((i = 0; i < ${#2}; i++)); do
    xdotool key "${2:i:1}"
    sleep 0.1
  done
  sleep 0.5
  xdotool key space
  sleep 0.5
  xdotool key Return
  sleep 0.5
  atspi text "$1"
}

xdotool mousemove $(atspi where ご飯・パン) click 1
sleep 1
before=$(atspi rows 食品ツリー)
got=$(type_converted 食品の絞り込み gohan)
[ "$got" = ご飯 ] || fail "the filter box holds '$got' after gohan, Space, Return; expected ご飯"
after=$(atspi rows 食品ツリー)
[ "$after" -gt 0 ] && [ "$after" -lt "$before" ] || fail "the filter ご飯 left $after of $before rows of the tree"
echo "ime-check: ok   filter box: gohan became ご飯; the tree went from $before to $after rows"

xdotool mousemove $(atspi where ﾃﾞｰﾀ検索 "push button") click 1
atspi wait "以下の文字列を含む(S)"
got=$(type_converted "以下の文字列を含む(S)" pan)
[ "$got" = パン ] || fail "the search box holds '$got' after pan, Space, Return; expected パン"
echo "ime-check: ok   search box: pan became パン"
