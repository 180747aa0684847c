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

# Every program: --help answers without a display and writes no file, its lines fit 80 columns,
# --version takes no other word, and its manual page has the sections and the date.
quiet=$work/quiet
mkdir -p "$quiet/home"
for program in qmscales qmscales-cli qmscale-emu; do
    (cd "$quiet" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$quiet/home" XDG_CONFIG_HOME= XDG_DATA_HOME= \
        "$prefix/bin/$program" --help) > "$work/$program.help" 2> "$work/$program.err" \
        || { cat "$work/$program.err"; fail "$program --help exited $?"; }
    grep -q "^Использование: $program " "$work/$program.help" || fail "$program --help prints no usage"
    while IFS= read -r line; do
        [ "$(LC_ALL=C.UTF-8 bash -c 'echo ${#1}' - "$line")" -le 80 ] || fail "$program --help: over 80 columns: $line"
    done < "$work/$program.help"
    manpage=$prefix/share/man/man1/$program.1.gz
    [ -s "$manpage" ] || fail "the manual page $program.1 is not installed"
    for section in NAME SYNOPSIS OPTIONS FILES ENVIRONMENT 'EXIT STATUS' EXAMPLES; do
        zcat "$manpage" | grep -qx ".SH $section" || fail "$program.1 has no section $section"
    done
    zcat "$manpage" | grep -Eq '^\.TH [^ ]+ 1 "[0-9]+ [A-Z][a-z]+ [0-9]{4}"' || fail "$program.1 has no date"
done
for program in qmscales qmscales-cli; do
    [ "$(HOME="$quiet/home" "$prefix/bin/$program" --version)" = "$program 1.6" ] || fail "$program --version"
    rc=0
    (cd "$quiet" && HOME="$quiet/home" "$prefix/bin/$program" --version extra > /dev/null 2>&1) || rc=$?
    [ $rc -eq 2 ] || fail "$program --version extra exited $rc, not 2 (wrong usage)"
done
[ -z "$(find "$quiet" -mindepth 1 ! -path "$quiet/home")" ] || fail "--help or --version made files: $(find "$quiet")"

# The unit starts the installed program, in the prefix it was installed to.
grep -qx "ExecStart=$prefix/bin/qmscales-cli autoload --period 60" "$prefix/lib/systemd/system/qmscales-autoload.service" \
    || fail "the service unit does not start $prefix/bin/qmscales-cli autoload --period 60"

cp "$work/qmscales-cli.help" "$work/help.txt"
commands=$(sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' "$work/help.txt")
[ "$(echo "$commands" | wc -l)" -ge 10 ] || fail "installed qmscales-cli --help lists too few commands: $commands"

if command -v man > /dev/null; then
    MANWIDTH=200 man -l "$page" > "$work/man.txt" 2> "$work/man.err" || true
    [ -s "$work/man.txt" ] || { cat "$work/man.err"; fail "man -l $page shows nothing"; }
    grep -q 'qmscales-cli - утилита обслуживания весов QM' "$work/man.txt" || fail "the manual page has no NAME line"
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

# The window, started as the desktop entry starts it, offscreen in an empty directory: it must still
# be running when timeout ends it (exit 124), having loaded the offscreen platform; anything else
# means it failed to start. Its files go to the data folder it made, not to the directory.
start=$work/start
mkdir -p "$start"
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/qmscales.desktop")
( cd "$start" && env -u XDG_DATA_HOME HOME=$work QT_QPA_PLATFORM=offscreen timeout 10 \
      bash -c 'echo $$ > "$0/window.pid"; exec "$1" ${2#qmscales}' "$work" "$prefix/bin/qmscales" "$exec_line" ) \
      > "$work/window.log" 2>&1 &
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
[ -f "$work/.local/share/qmscales/protocol.txt" ] || fail "the menu start made no data folder with its protocol"
[ -z "$(ls -A "$start")" ] || fail "the menu start wrote into the directory it was started in: $(ls -A "$start")"
echo "install test: ok"
