#!/usr/bin/env bash
# Adds to a program folder the bundled calorie tables it has never had.
#   bash install_tables.sh <data folder of the sources> <program folder>
# A table's nutrient file (the same name with .nutrients) comes with it: it
# is added only together with its table, never beside a table of the user's.
# The folder's .bundled-tables lists every bundled file ever put there, one
# path under data/ per line. A listed table belongs to the user from then on:
# edited, it keeps the user's text; deleted, it stays deleted. A table is never
# overwritten: a user's table that already has a new bundled table's name wins.
#
# A folder that already holds tables but whose list is missing or empty cannot
# tell a table the user deleted from a new one: the list is made anew naming
# every bundled table, and none is added. Only a folder without any table gets
# the whole bundle.
#
# Names are data here, whatever they hold (";", "[", spaces): they go through
# NUL-separated lists and the list file's lines, never through word splitting.
set -euo pipefail
source_dir=$1
program=$2
manifest=$program/.bundled-tables
[ -d "$source_dir" ] || { echo "install_tables: no folder $source_dir" >&2; exit 1; }

# Sorted, so a table comes before its nutrient file.
mapfile -d '' bundled < <(cd "$source_dir" && find . -type f \( -name '*.cal' -o -name '*.nutrients' \) \
  -printf '%P\0' | LC_ALL=C sort -z)

declare -A known=()
if [ -e "$manifest" ]; then
  if [ ! -r "$manifest" ]; then
    echo "install_tables: $manifest cannot be read; no table added" >&2
    exit 0
  fi
  while IFS= read -r line || [ -n "$line" ]; do
    [ -n "$line" ] && known["$line"]=1
  done <"$manifest"
fi
remade=false
if [ ${#known[@]} -eq 0 ] && [ -d "$program/data" ] &&
  [ -n "$(find "$program/data" -type f -name '*.cal' -print -quit)" ]; then
  for table in "${bundled[@]}"; do
    known["$table"]=1
  done
  remade=true
  echo "install_tables: $manifest was missing or empty; made anew, no table added" >&2
fi

declare -A added_now=()
added=()
for table in "${bundled[@]}"; do
  case $table in *$'\n'*) continue ;; esac # a list of lines cannot name it
  [ -n "${known[$table]+x}" ] && continue
  case $table in
  *.nutrients) [ -n "${added_now[${table%.nutrients}.cal]+x}" ] || { known["$table"]=1; continue; } ;;
  esac
  target=$program/data/$table
  if [ ! -e "$target" ] && [ ! -L "$target" ]; then
    mkdir -p "$(dirname "$target")"
    # Copied under another name and renamed, so an interrupted install never
    # leaves half a table under the table's name.
    cp "$source_dir/$table" "$target.part"
    mv -f "$target.part" "$target"
    added_now["$table"]=1
  fi
  known["$table"]=1
  added+=("$table")
done

# The checksums of the files as they were put there, so that the program's
# backups can leave out a bundled table the user never changed. A folder
# installed before the checksums were kept gets those of its tables that
# still equal the bundled ones.
sums=$program/.bundled-sums
declare -A summed=()
if [ -f "$sums" ]; then
  while IFS= read -r line; do
    summed["${line:66}"]=1
  done <"$sums"
fi
new_sums=()
for table in "${bundled[@]}"; do
  [ -n "${summed[$table]+x}" ] && continue
  target=$program/data/$table
  if [ -n "${added_now[$table]+x}" ] || { [ -n "${known[$table]+x}" ] && cmp -s "$source_dir/$table" "$target"; }; then
    new_sums+=("$(sha256sum <"$source_dir/$table" | cut -c1-64)  $table")
  fi
done
if [ ${#new_sums[@]} -gt 0 ]; then
  {
    [ -f "$sums" ] && cat "$sums"
    printf '%s\n' "${new_sums[@]}"
  } >"$sums.part"
  mv -f "$sums.part" "$sums"
fi

# Written when it changed, or made anew.
if [ ${#added[@]} -gt 0 ] || { $remade && [ ${#known[@]} -gt 0 ]; }; then
  mkdir -p "$program"
  printf '%s\n' "${!known[@]}" | LC_ALL=C sort >"$manifest.part"
  mv -f "$manifest.part" "$manifest"
fi
