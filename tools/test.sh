#!/usr/bin/env bash
# Builds and runs the whole test suite: tools/test.sh [--sanitize | --qt6]
# --sanitize builds into build-asan with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the suite there.
# --qt6 builds against Qt 6 instead of Qt 5.15 into build-qt6 and runs the
# suite there.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
deps_options=()
case "${1:-}" in
    "") ;;
    --sanitize)
        build=build-asan
        options=(-DCMAKE_BUILD_TYPE=Debug -DZELTO_SANITIZE=ON -DZELTO_BUILD_BENCHMARKS=OFF)
        # Leaks inside Qt's own libraries and the GPU stack are not ours to fix.
        export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
        export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
        ;;
    --qt6)
        build=build-qt6
        options+=(-DZELTO_QT_MAJOR=6)
        deps_options=(--qt6)
        ;;
    *) echo "usage: $0 [--sanitize | --qt6]" >&2; exit 2 ;;
esac
tools/install-deps.sh "${deps_options[@]}"

cmake -S . -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2
