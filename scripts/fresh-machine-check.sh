#!/usr/bin/env bash
# Tries the README's two commands as a new user would, on a minimal Debian 12
# made with debootstrap in a chroot: setup.sh as a user without rights, then
# run.sh (the program must start and keep running) and test.sh as root.
# Needs root, the network to the machine's own Debian mirror and a few
# minutes. The committed HEAD is what gets tried.
#   sudo bash scripts/fresh-machine-check.sh [--keep]
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine-check: run as root" >&2; exit 2; }
keep=false
[ "${1:-}" = --keep ] && keep=true

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
