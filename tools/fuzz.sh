#!/usr/bin/env bash
# Fuzzes the readers of input from outside the process with libFuzzer.
#
#   tools/fuzz.sh --ci              every target: its corpus is replayed, then it
#                                   is fuzzed for 30 seconds from a fixed seed,
#                                   two targets at a time; any crash, leak,
#                                   timeout or sanitizer report fails the run
#   tools/fuzz.sh TARGET SECONDS    one target for longer
#   tools/fuzz.sh --list            the targets
#
# The targets are built with clang-14 into build-fuzz/ (tests/fuzz/). Inputs
# the fuzzer finds are kept in build-fuzz/corpus/<target>/, crashes in
# build-fuzz/artifacts/<target>/. Once the fault behind a crash is mended,
# copy the crash file into tests/fuzz/corpus/<target>/: every run replays that
# folder first, so the fault stays mended.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(projectjson projectpack appcast versions webchannelframe handover settings clipboard)
ci_seconds=30
build=build-fuzz

usage() {
    sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

case "${1:-}" in
    --list) printf '%s\n' "${targets[@]}"; exit 0 ;;
    --ci) mode=ci ;;
    "") usage ;;
    *)
        [ $# -eq 2 ] && [[ "$2" =~ ^[0-9]+$ ]] || usage
        [[ " ${targets[*]} " == *" $1 "* ]] || { echo "No fuzz target $1; see --list." >&2; exit 2; }
        mode=one ;;
esac

tools/install-deps.sh
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DZELTO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

# Every report is fatal; leaks are looked for after each input.
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:handle_abort=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks inside system libraries, not in the code fuzzed, are listed there.
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp:print_suppressions=0"
# The targets write only into a temporary folder of their own: in memory
# when the system offers it (the settings target writes a file per input,
# and a disk's syncs would slow it twentyfold), else in the build folder.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    TMPDIR=$(mktemp -d /dev/shm/zelto-fuzz.XXXXXX)
    trap 'rm -rf "$TMPDIR"' EXIT
else
    TMPDIR="$PWD/$build/tmp"
    mkdir -p "$TMPDIR"
fi
export TMPDIR

# run <target> <seconds>: replays the target's corpus, then fuzzes it.
run() {
    local name=$1 seconds=$2
    local binary="$build/fuzz/fuzz_$name" seeds="tests/fuzz/corpus/$name"
    local found="$build/corpus/$name" artifacts="$build/artifacts/$name/"
    local options=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts" -print_final_stats=1)
    [ -f "tests/fuzz/$name.dict" ] && options+=(-dict="tests/fuzz/$name.dict")
    mkdir -p "$found" "$artifacts"
    "$binary" "${options[@]}" -runs=0 "$seeds" || { echo "$name: replaying its corpus failed" >&2; return 1; }
    # New inputs go to the first folder only; the seeds in the tree stay as they are.
    "$binary" "${options[@]}" "${seed[@]}" -max_total_time="$seconds" "$found" "$seeds"
}

# executions <log>: how many inputs a run tried.
executions() {
    sed -n 's/^stat::number_of_executed_units: *//p' "$1" | tail -n 1
}

# CI's short runs start from a fixed seed, so a fault they find is found
# again by the same command on a clean clone; longer runs of one target
# explore at random.
seed=()
[ "$mode" = ci ] && seed=(-seed=1)

if [ "$mode" = one ]; then
    run "$1" "$2"
    exit
fi

logs="$build/logs"
mkdir -p "$logs"
failed=()
pending=("${targets[@]}")
declare -A pids=()
while [ ${#pending[@]} -gt 0 ] || [ ${#pids[@]} -gt 0 ]; do
    # Two at a time: the machines running this have two cores.
    while [ ${#pending[@]} -gt 0 ] && [ ${#pids[@]} -lt 2 ]; do
        name=${pending[0]}
        pending=("${pending[@]:1}")
        run "$name" "$ci_seconds" >"$logs/$name.log" 2>&1 &
        pids[$name]=$!
    done
    wait -n || true
    for name in "${!pids[@]}"; do
        if ! kill -0 "${pids[$name]}" 2>/dev/null; then
            if wait "${pids[$name]}"; then
                echo "fuzz_$name: $(executions "$logs/$name.log") executions, no finding"
            else
                echo "fuzz_$name: FAILED (log: $logs/$name.log)" >&2
                tail -n 40 "$logs/$name.log" >&2
                failed+=("$name")
            fi
            unset "pids[$name]"
        fi
    done
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}; the inputs are in $build/artifacts/." >&2
    exit 1
fi
