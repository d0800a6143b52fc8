#!/usr/bin/env bash
# The log a flood of malformed web-channel frames makes zelto write, on Xvfb
# as the application runs for a user (welcome page and all). Builds nothing:
# build first (ninja -C build zelto Core Welcome).
#   benchmarks/webchannel/flood.sh [frames]      (default 10000; goal < 1 MiB)
#   BUILD_DIR=... measures another build.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(cd "${BUILD_DIR:-build}" && pwd)"
export ZELTO_BUILD_DIR="$build"
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb \
    node benchmarks/webchannel/flood.js "${1:-10000}"
