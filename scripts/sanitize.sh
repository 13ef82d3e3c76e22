#!/usr/bin/env bash
# Builds the unit and widget tests with AddressSanitizer and UBSan into build-asan/ and runs
# them; any report fails the run.
#   bash scripts/sanitize.sh [ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYURAGINE_SANITIZE=ON -DYURAGINE_BENCH=OFF
cmake --build build-asan -j2
export QT_QPA_PLATFORM=offscreen
# Qt keeps some allocations for the life of the process; leaks are not what this run is for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
ctest --output-on-failure -j2 -L 'unit|widget' "$@"
