#!/usr/bin/env bash
# Builds everything and runs all tests (unit, emulator integration, offscreen window tests).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
