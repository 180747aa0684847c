#!/usr/bin/env bash
# Builds the two packages from a finished build with CPack and checks them: lintian finds nothing
# (no error, no warning), each program is in its own package with its manual page, and the
# emulated scale is not in the shop's package. Exit 77 (skipped) without lintian or dpkg-deb.
# Usage: package-test.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in lintian dpkg-deb dpkg-shlibdeps; do
    command -v $tool > /dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/qmscales_*.deb "$work"/qmscales-emu_*.deb)
for deb in "${debs[@]}"; do
    [ -f "$deb" ] || fail "no package ${deb##*/} was built"
    # Standard output has the findings; standard error only lintian's own remarks (run as root ...).
    out=$(lintian --fail-on error,warning "$deb" 2> "$work/lintian.err") \
        || { echo "$out"; cat "$work/lintian.err"; fail "lintian ${deb##*/}"; }
    [ -z "$out" ] || { echo "$out"; fail "lintian reports on ${deb##*/}"; }
done

# What each package holds (file path|package).
contents() { dpkg-deb --contents "$1" | awk '{print $6}' | sed 's|^\./|/|'; }
while IFS='|' read -r path deb; do
    contents "$work/$deb"_*.deb | grep -qx "$path" || fail "$deb lacks $path"
done <<'LIST'
/usr/bin/qmscales|qmscales
/usr/bin/qmscales-cli|qmscales
/usr/share/man/man1/qmscales.1.gz|qmscales
/usr/share/man/man1/qmscales-cli.1.gz|qmscales
/usr/share/doc/qmscales/copyright|qmscales
/usr/share/doc/qmscales/changelog.gz|qmscales
/usr/lib/systemd/system/qmscales-autoload.service|qmscales
/usr/bin/qmscale-emu|qmscales-emu
/usr/share/man/man1/qmscale-emu.1.gz|qmscales-emu
/usr/share/doc/qmscales-emu/copyright|qmscales-emu
LIST
! contents "$work"/qmscales_*.deb | grep -q qmscale-emu || fail "the shop's package holds the emulated scale"
echo "lintian: 0 errors, 0 warnings on ${debs[*]##*/}"
