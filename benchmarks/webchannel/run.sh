#!/usr/bin/env bash
# Web channel round trips against a plain WebSocket echo, on Xvfb (the welcome
# page's web engine needs a display). Builds nothing: build first
# (ninja -C build zelto Core Welcome webchannel_echo).
#   benchmarks/webchannel/run.sh [calls]      BUILD_DIR=... to use another build
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(cd "${BUILD_DIR:-build}" && pwd)"
export ZELTO_BUILD_DIR="$build"
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
exec xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb node benchmarks/webchannel/bench.js "$@"
