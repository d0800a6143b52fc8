#!/bin/sh
# Builds and runs the download benchmark: the updater's downloader against
# curl on a 256 MiB file from a local HTTP server, and its peak memory for a
# 64 MiB and a 256 MiB file; then the 256 MiB file cut at half and resumed,
# against the uncut time. Usage: benchmarks/download/run.sh [build dir]
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELTO_BUILD_TESTS=OFF
fi
ninja -C "$build" bench_download
cd "$build" && QT_QPA_PLATFORM=offscreen ./bin/bench_download
