#!/usr/bin/env bash
# Builds and runs the whole test suite: tools/test.sh [--sanitize]
# --sanitize builds into build-asan with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the suite there.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DZELTO_SANITIZE=ON -DZELTO_BUILD_BENCHMARKS=OFF)
    # Leaks inside Qt's own libraries and the GPU stack are not ours to fix.
    export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi

cmake -S . -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2
