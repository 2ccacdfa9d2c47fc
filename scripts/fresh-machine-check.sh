#!/usr/bin/env bash
# Tries the README's two commands as a new user would, on a minimal Debian 12
# made with debootstrap in a chroot: setup.sh as a user without rights, then
# run.sh (the program must start and keep running) and test.sh as root.
# Needs root, the network to the machine's own Debian mirror and a few
# minutes. The committed HEAD is what gets tried.
# With --package it tries the Debian package instead: package.sh builds it,
# apt installs it, a new user starts it, and an upgrade that brings a new
# table adds it and keeps the user's edited one.
#   sudo bash scripts/fresh-machine-check.sh [--package] [--keep]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine-check: run as root" >&2; exit 2; }
keep=false
package=false
for arg in "$@"; do
  case $arg in
  --keep) keep=true ;;
  --package) package=true ;;
  *) echo "fresh-machine-check: unknown option $arg" >&2; exit 2 ;;
  esac
done

command -v debootstrap >/dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

# The mirror is the one this machine's apt already uses for bookworm.
mirror=$(
  {
    grep -hsE '^deb +(\[[^]]*\] +)?[a-z]+://' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
      awk '$0 ~ / bookworm( |$)/ { for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) { print $i; exit } }'
    awk 'BEGIN { RS = "" }
         /(^|\n)Suites:[^\n]*bookworm( |\n|$)/ && !/(^|\n)Enabled: *no/ {
           if (match($0, /(^|\n)URIs: *[^ \n]+/)) { u = substr($0, RSTART, RLENGTH); sub(/.*URIs: */, "", u); print u }
         }' /etc/apt/sources.list.d/*.sources 2>/dev/null
  } | head -n 1
)
[ -n "$mirror" ] || { echo "fresh-machine-check: no bookworm mirror in /etc/apt" >&2; exit 2; }

root=$(mktemp -d /var/tmp/zenkarta-fresh.XXXXXX)
chmod 755 "$root" # the root folder of a system, open to its users
cleanup() {
  for m in dev/pts dev proc; do umount -l "$root/$m" 2>/dev/null || true; done
  if $keep; then echo "fresh-machine-check: the system is kept in $root"; else rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT
log=$root.log
echo "fresh-machine-check: debootstrap --variant=minbase bookworm from $mirror (log: $log)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1

# The machine's apt sources and fetch settings, so apt inside reaches what apt here reaches.
cp /etc/resolv.conf "$root/etc/resolv.conf"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
  $(grep -lsE '^ *Acquire' /etc/apt/apt.conf.d/*); do
  if [ -f "$f" ]; then cp "$f" "$root$f"; fi
done
for key in $(cat /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null |
  sed -nE 's/.*(Signed-By: *|signed-by=)([^] ]+).*/\2/p' | sort -u); do
  if [ -f "$key" ] && [ ! -f "$root$key" ]; then install -D -m 644 "$key" "$root$key"; fi
done
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"

git clone -q . "$root/root/zenkarta"
# A command in the new system runs as in a fresh login of root.
login=(/usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
  LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen)
inside() { chroot "$root" "${login[@]}" "$@"; }
failed=0
check() { # what is checked, then the command that must succeed
  local what=$1
  shift
  if "$@" >>"$log" 2>&1; then echo "ok   $what"; else echo "FAIL $what (see $log)"; failed=1; fi
}

if $package; then
  # The program as a new user starts it, for 5 s, offscreen.
  start_as() { inside su "$1" -c 'QT_QPA_PLATFORM=offscreen timeout 5 zenkarta; [ $? -eq 124 ]'; }
  user_data=/home/eater/.local/share/zenkarta/data
  check "package.sh builds the package, lintian passes" inside bash -c 'cd /root/zenkarta && bash scripts/package.sh'
  check "apt installs it with its dependencies" inside bash -c \
    'cd /root/zenkarta && DEBIAN_FRONTEND=noninteractive apt-get install -y ./zenkarta_0.1_amd64.deb'
  check "desktop-file-validate and appstreamcli accept the installed metadata" inside bash -c \
    'desktop-file-validate /usr/share/applications/org.zenkarta.Zenkarta.desktop &&
     appstreamcli validate --no-net /usr/share/metainfo/org.zenkarta.Zenkarta.metainfo.xml'
  inside useradd -m eater
  check "a new user starts it and keeps running" start_as eater
  tables=$(find "$root$user_data" -name '*.cal' | wc -l)
  bundled=$(find data -name '*.cal' | wc -l)
  check "the user's folder holds the $bundled bundled tables ($tables)" test "$tables" -eq "$bundled"
  printf '\t追加した食品:100\r\n' >>"$root$user_data/主食/麺類.cal"
  edited=$(sha256sum <"$root$user_data/主食/麺類.cal")
  printf '新しい食品:50\r\n' >"$root/root/zenkarta/data/新しい表.cal"
  check "a package with a new table builds" inside bash -c \
    'cd /root/zenkarta && ZENKARTA_PACKAGE_VERSION=0.2 bash scripts/package.sh'
  check "apt upgrades to it" inside bash -c \
    'cd /root/zenkarta && DEBIAN_FRONTEND=noninteractive apt-get install -y ./zenkarta_0.2_amd64.deb'
  check "the user starts it again" start_as eater
  check "the new table is added" test -f "$root$user_data/新しい表.cal"
  check "the edited table is kept" test "$(sha256sum <"$root$user_data/主食/麺類.cal")" = "$edited"
  # Beside a portable install of install.sh, each keeps its own folder.
  check "install.sh installs a portable folder beside the package" inside bash -c \
    'cd /root/zenkarta && bash scripts/install.sh'
  before=$(cd "$root/root/.local/share/zenkarta-portable" && find . -type f -exec sha256sum {} + | sort)
  check "root starts the package" start_as root
  after=$(cd "$root/root/.local/share/zenkarta-portable" && find . -type f -exec sha256sum {} + | sort)
  check "the package left the portable folder alone" test "$before" = "$after"
  check "the package made its own folder" test -d "$root/root/.local/share/zenkarta/data"
  exit $failed
fi

# A user who may not install anything is told what to install, in one line.
inside useradd -m nobodyelse
cp scripts/setup.sh "$root/tmp/setup.sh"
if said=$(inside su nobodyelse -c 'bash /tmp/setup.sh' 2>&1); then
  echo "FAIL setup.sh without rights succeeded"; failed=1
elif [ "$(wc -l <<<"$said")" -ne 1 ] || [[ "$said" != *"apt-get install"* ]]; then
  echo "FAIL setup.sh without rights did not name the packages in one line:"; echo "$said"; failed=1
else
  echo "ok   setup.sh without rights: $said"
fi

# run.sh: builds, installs and starts the program, which must keep running.
start=$(date +%s)
# Not through inside(): the process started here must become the program.
chroot "$root" "${login[@]}" bash -c 'cd /root/zenkarta && exec bash scripts/run.sh' >>"$log" 2>&1 &
pid=$!
until [[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" == */zenkarta ]]; do
  kill -0 "$pid" 2>/dev/null || break
  sleep 1
done
sleep 5
if kill -0 "$pid" 2>/dev/null && [[ "$(readlink "/proc/$pid/exe")" == */zenkarta ]]; then
  echo "ok   run.sh started $(readlink "/proc/$pid/exe") after $(($(date +%s) - start)) s; it kept running"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
else
  wait "$pid" 2>/dev/null || true
  echo "FAIL run.sh did not start the program (see $log)"; failed=1
fi
[ -f "$root/root/.local/share/applications/zenkarta.desktop" ] &&
  echo "ok   desktop entry: $(grep '^Exec=' "$root/root/.local/share/applications/zenkarta.desktop")" ||
  { echo "FAIL no desktop entry"; failed=1; }

# test.sh: every test passes.
start=$(date +%s)
if inside bash -c 'cd /root/zenkarta && bash scripts/test.sh' >>"$log" 2>&1; then
  echo "ok   test.sh after $(($(date +%s) - start)) s: $(grep -E 'tests passed' "$log" | tail -n 1)"
else
  echo "FAIL test.sh (see $log):"; grep -E 'tests passed|Failed|\*\*\*' "$log" | tail -n 20; failed=1
fi
exit $failed
