#!/usr/bin/env bash
# Installs tables into a program folder again and again, with a new version of
# the bundle in between, and checks that the user's tables survive each update.
#   bash install_tables_test.sh <zenkarta_install_tables> <empty work folder>
set -euo pipefail
tool=$1
work=$2
src=$work/source
prog="$work/program folder"
rm -rf "$work"
mkdir -p "$src"

install_tables() { "$tool" "$src" "$prog" 2>/dev/null; }
fail() { echo "FAIL: $*" >&2; exit 1; }
put() { mkdir -p "$(dirname "$1")" && printf '%b' "$2" >"$1"; }
expect_file() { # path under the program folder, bytes as printf %b takes them
  [ -f "$prog/$1" ] || fail "$1 is missing"
  cmp -s "$prog/$1" <(printf '%b' "$2") || fail "$1 holds '$(od -c "$prog/$1" | head -3)'"
}
expect_gone() { [ ! -e "$prog/$1" ] || fail "$1 is there"; }

put "$src/主食/ご飯.cal" 'shipped 1\r\n'
put "$src/主食/ご飯.nutrients" 'nutrients 1\r\n'
put "$src/おかず/肉.cal" 'shipped 2\r\n'
put "$src/README.md" 'not a table'
# Names are data: list separators and brackets of CMake or the shell.
put "$src/外食/a;b.cal" 'semicolon\r\n'
put "$src/外食/[丼 x.cal" 'bracket\r\n'
put "$src/外食/y].cal" 'closing\r\n'
install_tables
expect_file "data/主食/ご飯.cal" 'shipped 1\r\n'
expect_file "data/主食/ご飯.nutrients" 'nutrients 1\r\n'
expect_file "data/おかず/肉.cal" 'shipped 2\r\n'
expect_file "data/外食/a;b.cal" 'semicolon\r\n'
expect_file "data/外食/[丼 x.cal" 'bracket\r\n'
expect_file "data/外食/y].cal" 'closing\r\n'
expect_gone "data/README.md"
# The checksums of what was put there, for the backups to leave it out.
(cd "$prog/data" && sha256sum --check --quiet --strict ../.bundled-sums) || fail ".bundled-sums is wrong"
[ "$(wc -l <"$prog/.bundled-sums")" -eq 6 ] || fail ".bundled-sums has $(wc -l <"$prog/.bundled-sums") lines"
expect_gone "data/外食/a"
expect_file ".bundled-tables" 'おかず/肉.cal\n主食/ご飯.cal\n主食/ご飯.nutrients\n外食/[丼 x.cal\n外食/a;b.cal\n外食/y].cal\n'

# The user edits one table, deletes two and makes one of a name that the next
# bundle also ships; the bundle changes its tables and adds two, each with
# its nutrients, which never go beside the user's own table.
put "$prog/data/主食/ご飯.cal" "the user's text\\r\\n"
rm "$prog/data/おかず/肉.cal" "$prog/data/外食/a;b.cal"
put "$prog/data/外食/丼.cal" "the user's own\\r\\n"
put "$src/主食/ご飯.cal" 'shipped 1, version 2\r\n'
put "$src/おかず/肉.cal" 'shipped 2, version 2\r\n'
put "$src/外食/丼.cal" 'shipped 3\r\n'
put "$src/外食/丼.nutrients" 'nutrients 3\r\n'
put "$src/外食/麺.cal" 'shipped 4\r\n'
put "$src/外食/麺.nutrients" 'nutrients 4\r\n'
install_tables
install_tables
expect_file "data/主食/ご飯.cal" "the user's text\\r\\n"
expect_gone "data/おかず/肉.cal"
expect_gone "data/外食/a;b.cal"
expect_file "data/外食/丼.cal" "the user's own\\r\\n"
expect_gone "data/外食/丼.nutrients"
expect_file "data/外食/麺.cal" 'shipped 4\r\n'
expect_file "data/外食/麺.nutrients" 'nutrients 4\r\n'
grep -q "  外食/麺.cal\$" "$prog/.bundled-sums" || fail "a table added by an update has no checksum"
# A folder from before the checksums gets those of its unchanged tables only.
rm "$prog/.bundled-sums"
install_tables
[ "$(cut -c67- "$prog/.bundled-sums" | LC_ALL=C sort | tr '\n' ' ')" = "主食/ご飯.nutrients 外食/[丼 x.cal 外食/y].cal 外食/麺.cal 外食/麺.nutrients " ] ||
  fail ".bundled-sums made anew holds $(cut -c67- "$prog/.bundled-sums")"
manifest='おかず/肉.cal\n主食/ご飯.cal\n主食/ご飯.nutrients\n外食/[丼 x.cal\n外食/a;b.cal\n外食/y].cal\n'
manifest+='外食/丼.cal\n外食/丼.nutrients\n外食/麺.cal\n外食/麺.nutrients\n'
expect_file ".bundled-tables" "$manifest"

# Without its list (deleted or emptied) the folder gets no table back; the
# list is made anew. A folder without any table gets the whole bundle.
for lost in delete empty blank; do
  case $lost in
  delete) rm "$prog/.bundled-tables" ;;
  empty) : >"$prog/.bundled-tables" ;;
  blank) printf '\n\n' >"$prog/.bundled-tables" ;;
  esac
  install_tables
  expect_gone "data/おかず/肉.cal"
  expect_gone "data/外食/a;b.cal"
  expect_file ".bundled-tables" "$manifest"
done
fresh="$work/fresh"
"$tool" "$src" "$fresh" 2>/dev/null
[ -f "$fresh/data/おかず/肉.cal" ] && [ -f "$fresh/data/外食/a;b.cal" ] || fail "a fresh folder lacks tables"

leftovers=$(find "$work" -name '*.part')
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"
echo "install_tables: all checks passed"
