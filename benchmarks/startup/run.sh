#!/usr/bin/env bash
# Start-up benchmark: zelto with the core plug-in alone against an empty
# QMainWindow program, on the offscreen platform and under Xvfb.
# Builds nothing: build first (ninja -C build startup_bench).
#   benchmarks/startup/run.sh [rounds]      BUILD_DIR=... to use another build
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${BUILD_DIR:-build}"
bench="$build/benchmarks/startup/startup_bench"
rounds="${1:-10}"
if [ ! -x "$bench" ]; then
    echo "missing $bench: build it first (ninja -C $build startup_bench)" >&2
    exit 1
fi
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"

QT_QPA_PLATFORM=offscreen "$bench" "$rounds"
echo
if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "$bench" "$rounds"
else
    echo "xvfb-run not found: the Xvfb figures are skipped" >&2
fi
