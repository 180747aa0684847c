#!/usr/bin/env bash
# The soak of the unattended load (tests/autoload/AutoloadSoakTest.cpp), run long: qmscales-cli
# autoload as --once cycles and as the service over four emulated scales with random faults, power
# offs and load files, for MINUTES (default 10), every invariant checked after each run. It prints
# the cycles, files and failures every 10 s. SEED (default: a new one) picks the schedule of files,
# faults and stops; it is printed, and the same SEED replays the same schedule. Exits 1 when an
# invariant broke; the start directory of such a run is kept and named. QM_SOAK_VERBOSE=1 prints
# every run with its protocol lines.
#   scripts/soak.sh [MINUTES] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}
seed=${2:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
if ! [[ "$minutes" =~ ^[1-9][0-9]*$ && "$seed" =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/soak.sh [MINUTES] [SEED]" >&2
    exit 2
fi
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)" --target test_autoload qmscales-cli qmscale-emu > /dev/null
echo "soak: $minutes min, seed $seed (replay: bash scripts/soak.sh $minutes $seed)"
QM_SOAK_SECONDS=$((minutes * 60)) QM_SOAK_SEED=$seed exec build/tests/test_autoload \
    --gtest_filter='AutoloadSoak.*' --gtest_brief=1
