#!/usr/bin/env bash
# Builds everything, starts an emulated scale on a pseudo-terminal and opens the program on it.
# The demo start directory (demo-run/) maps COM1 to the emulator through ports.cfg and keeps a
# configuration row "Демо" for it, so the scale can be addressed at once. With --tcp the scale is
# served on a TCP port of the loopback, as behind an Ethernet-to-serial converter.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

dir="$PWD/demo-run"
mkdir -p "$dir"
transport=(--link "$dir/ttyQM1")
[ "${1:-}" = --tcp ] && transport=(--tcp 127.0.0.1:0)
build/tools/emu/qmscale-emu --number 1 --baud 9600 --state "$dir/demo-scale.json" \
    --log "$dir/demo-scale.log" "${transport[@]}" > "$dir/emu.out" &
emu=$!
trap 'kill $emu 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -s "$dir/emu.out" ] && break; sleep 0.1; done

line="$dir/ttyQM1"
[ "${1:-}" = --tcp ] && line=$(head -n1 "$dir/emu.out")
echo "COM1=$line" > "$dir/ports.cfg"
if [ ! -f "$dir/qm1_6.cfg" ]; then
    # One scale row: №, name, department, number, port, speed, product file, message file, note.
    printf '%s\r\n' 1 "Демо" "Демонстрация" 1 COM1 9600 "" "" "эмулятор весов" \
        | iconv -f UTF-8 -t CP1251 > "$dir/demo.cfl"
    build/src/cli/qmscales-cli --dir "$dir" keep-config "$dir/demo.cfl"
fi
echo "Emulated scale on $(head -n1 "$dir/emu.out") as COM1; start directory $dir"
cd "$dir"
"$OLDPWD/build/src/app/qmscales"
