#!/usr/bin/env bash
# Builds everything and runs all tests (unit, emulator integration, offscreen window tests).
# --sanitize: the same in build-sanitize/, built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
if [ "${1:-}" = "--sanitize" ]; then
    bash scripts/deps.sh
    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_SANITIZE=ON
    cmake --build build-sanitize -j2
    # Leaks are not looked for: Qt's plugin loader keeps its libraries for the process's life.
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    ctest --test-dir build-sanitize --output-on-failure -j2 --timeout 900
    exit
fi
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j2
