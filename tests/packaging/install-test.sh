#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs what was installed: the command line's help,
# its manual page (when man is present), and the window offscreen for a few seconds.
# Usage: install-test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

for f in bin/qmscales bin/qmscales-cli bin/qmscale-emu; do
    [ -x "$prefix/$f" ] || fail "$f is not installed"
done
for f in share/qmscales/help/topics.tsv share/qmscales/help/index.html share/applications/qmscales.desktop \
         share/icons/hicolor/scalable/apps/qmscales.svg lib/systemd/system/qmscales-autoload.service; do
    [ -s "$prefix/$f" ] || fail "$f is not installed"
done
page=$(ls "$prefix"/share/man/man1/qmscales-cli.1* 2>/dev/null | head -n1)
[ -n "$page" ] || fail "the manual page qmscales-cli.1 is not installed"

# The unit starts the installed program, in the prefix it was installed to.
grep -qx "ExecStart=$prefix/bin/qmscales-cli autoload --period 60" "$prefix/lib/systemd/system/qmscales-autoload.service" \
    || fail "the service unit does not start $prefix/bin/qmscales-cli autoload --period 60"

"$prefix/bin/qmscales-cli" --help > "$work/help.txt" || fail "installed qmscales-cli --help exited $?"
grep -q '^Usage: qmscales-cli ' "$work/help.txt" || fail "installed qmscales-cli --help prints no usage"
commands=$(sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' "$work/help.txt")
[ "$(echo "$commands" | wc -l)" -ge 10 ] || fail "installed qmscales-cli --help lists too few commands: $commands"
"$prefix/bin/qmscale-emu" --help > /dev/null || fail "installed qmscale-emu --help exited $?"

if command -v man > /dev/null; then
    MANWIDTH=200 man -l "$page" > "$work/man.txt" 2> "$work/man.err" || true
    [ -s "$work/man.txt" ] || { cat "$work/man.err"; fail "man -l $page shows nothing"; }
    grep -q 'qmscales-cli - Service tool for QM label scales' "$work/man.txt" || fail "the manual page has no NAME line"
    # Every command of --help is in the manual page, with the same summary.
    for c in $commands; do
        grep -Eq "^ +$c( |$)" "$work/man.txt" || fail "the manual page lacks the command $c"
    done
    summary=$(sed -n '/^  send-products /{n;s/^ *//;p}' "$work/help.txt")
    grep -qF "$summary" "$work/man.txt" || fail "the manual page lacks the summary: $summary"
    grep -q -- '--dir DIR' "$work/man.txt" || fail "the manual page lacks the option --dir"
else
    echo "man is not installed: the manual page was not shown"
fi

# The window: started offscreen in an empty start directory, it must still be running when timeout
# ends it (exit 124), having loaded the offscreen platform; anything else means it failed to start.
start=$work/start
mkdir -p "$start"
( cd "$start" && HOME=$work QT_QPA_PLATFORM=offscreen timeout 10 \
      bash -c 'echo $$ > "$0/window.pid"; exec "$1"' "$work" "$prefix/bin/qmscales" ) > "$work/window.log" 2>&1 &
runner=$!
loaded=no
for _ in $(seq 90); do
    sleep 0.1
    pid=$(cat "$work/window.pid" 2>/dev/null || true)
    if [ -n "$pid" ] && grep -q libqoffscreen "/proc/$pid/maps" 2>/dev/null; then
        loaded=yes
        break
    fi
done
rc=0
wait $runner || rc=$?
if [ $rc -ne 124 ] || [ $loaded != yes ]; then
    cat "$work/window.log"
    fail "the installed window did not keep running offscreen (exit $rc, platform loaded: $loaded)"
fi
echo "install test: ok"
