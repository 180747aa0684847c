#!/usr/bin/env bash
# Checks the desktop entry: desktop-file-validate when it is present, and the entries the menu shows.
# Usage: desktop-test.sh FILE.desktop
set -euo pipefail
file=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for line in 'Type=Application' 'Name=Весы QM' 'Exec=qmscales --user-data' 'Icon=qmscales' 'Categories=Office;'; do
    LC_ALL=C grep -qxF "$line" "$file" || fail "$file lacks the line $line"
done
LC_ALL=C grep -q $'^Comment=.*[\xd0\xd1]' "$file" || fail "$file has no Russian comment"
if command -v desktop-file-validate > /dev/null; then
    out=$(desktop-file-validate "$file" 2>&1) || { echo "$out"; fail "desktop-file-validate $file"; }
    [ -z "$out" ] || { echo "$out"; fail "desktop-file-validate warns about $file"; }
    echo "desktop-file-validate: ok"
else
    echo "desktop-file-validate is not installed: only the entries were checked"
fi
