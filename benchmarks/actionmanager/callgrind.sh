#!/usr/bin/env bash
# Instructions per command of one ActionManager::setContext switch, counted by
# callgrind: a run with S switches minus a run with none, divided by S and N.
#   benchmarks/actionmanager/callgrind.sh <build dir> [switches]
set -euo pipefail
build=${1:-build}
switches=${2:-20}
bench="$build/bin/bench_actionmanager"
command -v valgrind >/dev/null || { echo "valgrind is not installed"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
count() { # <commands> <switches>
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$out/cg.$1.$2" \
        "$bench" "$1" "$2" >/dev/null 2>&1
    callgrind_annotate "$out/cg.$1.$2" 2>/dev/null | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }'
}
printf "%8s %22s\n" commands "instructions/command"
for n in 100 1000 5000; do
    base=$(count "$n" 0)
    work=$(count "$n" "$switches")
    echo "$n $base $work $switches" | awk '{ printf "%8d %22.0f\n", $1, ($3 - $2) / ($4 * $1) }'
done
