#!/usr/bin/env bash
# Builds the Qt-free domain library (qmdomain, its sources as src/CMakeLists.txt gathers them) with
# Debian's Windows cross compiler, warnings as errors, so the Windows port stays one Qt build away.
# Exit 77 (skipped) without the cross compiler.
# Usage: cross-domain-test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source=$1
work=$2
if ! command -v x86_64-w64-mingw32-g++-posix > /dev/null && ! command -v x86_64-w64-mingw32-g++ > /dev/null; then
    echo "skipped: x86_64-w64-mingw32-g++ is not installed (package g++-mingw-w64-x86-64)"
    exit 77
fi
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$source" -B "$work" -DQM_DOMAIN_ONLY=ON -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CXX_FLAGS=-Werror > "$work.log" 2>&1 \
    || { cat "$work.log"; echo "FAIL: configuring the cross build" >&2; exit 1; }
cmake --build "$work" --target qmdomain -j2
echo "cross build of qmdomain: ok"
