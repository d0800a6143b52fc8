#!/bin/sh
# Builds and runs the signature benchmark: zelto-updates verify against
# openssl pkeyutl -verify -rawin on a 256 MiB file, throughput and peak
# memory. Usage: benchmarks/signature/run.sh [build dir] [rounds]
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-bench}
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELTO_BUILD_TESTS=OFF
fi
ninja -C "$build" bench_signature zelto-updates
cd "$build" && ./bin/bench_signature "${2:-3}"
