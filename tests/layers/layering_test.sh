#!/bin/bash
# Keeps the layers of src/ apart by reading every #include:
#  - a core file (outside ui/) includes no ui/ header and no header of a GUI
#    module of Qt, so that zenkarta_core stays QtCore only;
#  - a domain includes only itself, common/ and the domains of its row below.
# Usage: layering_test.sh <source dir> <Qt include dir>

# domain    may also include
ALLOWED="
common
caldata
records
settings
web
help
app         caldata records settings web help
"
GUI_MODULES="QtGui QtWidgets QtCharts QtPrintSupport QtOpenGL QtSvg"

root=$1
qt=$2
failures=0

fail() {
    echo "$1"
    failures=$((failures + 1))
}

row() { # domain -> its row of the table, or nothing
    grep -E "^$1( |$)" <<<"$ALLOWED"
}

allowed() { # domain target
    [[ $2 == common || $2 == "$1" || " $(row "$1") " == *" $2 "* ]]
}

gui_header() { # the name between < and >
    local module
    for module in $GUI_MODULES; do
        [[ $1 == "$module"/* || -e $qt/$module/$1 ]] && return 0
    done
    return 1
}

include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^>"]*)[>"]'
cd "$root" || exit 1
while IFS= read -r file; do
    domain=${file#src/}
    domain=${domain%%/*}
    [[ -n $(row "$domain") ]] || fail "$file: the folder $domain/ has no row in the table of domains"
    [[ $file == */ui/* ]] && core=no || core=yes
    while IFS= read -r line; do
        [[ $line =~ $include_re ]] || continue
        kind=${BASH_REMATCH[1]}
        name=${BASH_REMATCH[2]}
        shown="#include $kind$name$([[ $kind == '<' ]] && echo '>' || echo '"')"
        if [[ $kind == '"' && $name == */* ]]; then
            if [[ $core == yes && $name == */ui/* ]]; then
                fail "$file: $shown: a core file includes a window header"
            elif ! allowed "$domain" "${name%%/*}"; then
                fail "$file: $shown: $domain/ may not use ${name%%/*}/"
            fi
        elif [[ $kind == '<' && $core == yes ]] && gui_header "$name"; then
            fail "$file: $shown: a core file includes a GUI module of Qt"
        fi
    done < <(grep -E "^[[:space:]]*#[[:space:]]*include" "$file")
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if ((failures > 0)); then
    echo "$failures include(s) break the layers"
    exit 1
fi
echo "the layers hold"
