#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs each for SECONDS (default 600) on its seed corpus. New inputs the fuzzer
# finds go to build-fuzz/corpus/<target>/, crashes to build-fuzz/crashes/. Prints the executions
# per target at the end; exits 1 when any target crashed.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
seconds=${1:-600}
shift || true
cmake -S . -B build-fuzz -DQM_FUZZ=ON -DQM_BUILD_TESTS=OFF -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j2 > /dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/targets/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
mkdir -p build-fuzz/crashes build-fuzz/logs
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=0
summary=()
for t in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$t"
    log="build-fuzz/logs/$t.log"
    if ! "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
         -artifact_prefix="build-fuzz/crashes/$t-" -print_final_stats=1 \
         "build-fuzz/corpus/$t" "fuzz/corpus/$t" > "$log" 2>&1; then
        failed=1
        echo "CRASH in $t: see $log and build-fuzz/crashes/" >&2
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    summary+=("$(printf '%-24s %12s executions' "$t" "${runs:-?}")")
done
printf '%s\n' "${summary[@]}"
exit $failed
