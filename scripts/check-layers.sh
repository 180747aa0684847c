#!/usr/bin/env bash
# Checks the layering of src/ from its #include lines:
# - the domain folders include no Qt header (the serial port, link/TComm.cpp, and the picture
#   reader of the logo, logo/PictureFile.cpp, are the files that may, and the build keeps their
#   Qt private);
# - a folder includes only itself and folders of lower layers.
# Prints every violation as FILE:LINE: reason and exits 1 when there is one; with --table it
# also prints how many include lines each folder has into each other folder.
set -euo pipefail
cd "$(dirname "$0")/../src"

# Layers, lowest first; folders on one line are one layer and may not include each other.
layers=(
    "common"
    "link"
    "config"
    "operation files"
    "products messages settings logo diagnostics print"
    "reports"
    "autoload"
    "paint backup"
    "app cli"
)
domain="common link config operation files products messages settings reports logo diagnostics print autoload"

declare -A rank
for i in "${!layers[@]}"; do
    for folder in ${layers[$i]}; do rank[$folder]=$i; done
done

failures=0
declare -A counts
while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    text=${rest#*:}
    from=${file%%/*}
    [[ -n ${rank[$from]+x} ]] || continue
    if [[ $text =~ ^#include\ \<Q ]]; then
        if [[ " $domain " == *" $from "* && $file != link/TComm.cpp && $file != logo/PictureFile.cpp ]]; then
            echo "$file:$line: a domain file includes a Qt header: $text"
            failures=$((failures + 1))
        fi
        continue
    fi
    [[ $text =~ ^#include\ \"([a-z]+)/ ]] || continue
    to=${BASH_REMATCH[1]}
    counts["$from $to"]=$((${counts["$from $to"]:-0} + 1))
    [[ $from == "$to" ]] && continue
    if [[ -z ${rank[$to]+x} ]]; then
        echo "$file:$line: includes an unknown folder $to/"
        failures=$((failures + 1))
    elif ((rank[$to] >= rank[$from])); then
        echo "$file:$line: $from/ includes $to/, which is not below it"
        failures=$((failures + 1))
    fi
done < <(grep -rn --include='*.h' --include='*.cpp' -E '^#include [<"]' .  | sed 's|^\./||')

if [[ ${1:-} == --table ]]; then
    for key in "${!counts[@]}"; do echo "$key ${counts[$key]}"; done | sort
fi
if ((failures > 0)); then
    echo "$failures layering violation(s)"
    exit 1
fi
echo "layering: ok"
