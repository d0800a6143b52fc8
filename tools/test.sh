#!/usr/bin/env bash
# Builds and runs the whole test suite: tools/test.sh [--sanitize | --qt6]
# --sanitize builds into build-asan with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the suite there.
# --qt6 builds against Qt 6 instead of Qt 5.15 into build-qt6 and runs the
# suite there.
# A test that skips fails the run unless tests/allowed-skips.txt names the
# test and the skip's message.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

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
# Each QtTest run writes its results to tests/results/<test>.txt (see
# tests/CMakeLists.txt); only this run's may be read.
rm -f tests/results/*.txt
status=0
ctest --output-on-failure -j2 || status=$?

allowed=()
while IFS= read -r line; do
    [[ -z "$line" || "$line" == \#* ]] && continue
    allowed+=("$line")
done <"$source_dir/tests/allowed-skips.txt"
unlisted=()
for results in tests/results/*.txt; do
    [ -e "$results" ] || continue
    while IFS= read -r line; do
        # "SKIP   : tst_Class::function(data tag) message"
        skip=${line#SKIP   : }
        listed=0
        for entry in "${allowed[@]}"; do
            name=${entry%% | *}
            reason=${entry#* | }
            if [[ "$skip" == "$name("* || "$skip" == "$name "* ]] && [[ "$skip" == *" $reason" ]]; then
                listed=1
                break
            fi
        done
        [ "$listed" = 1 ] || unlisted+=("$skip")
    done < <(grep '^SKIP   : ' "$results" || true)
done
if [ ${#unlisted[@]} -gt 0 ]; then
    echo "Skips that tests/allowed-skips.txt does not allow:" >&2
    printf '  %s\n' "${unlisted[@]}" >&2
    status=1
fi
exit "$status"
