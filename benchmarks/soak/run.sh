#!/usr/bin/env bash
# The soak run (soak.js) on Xvfb, against the zelto of a build; run by hand,
# not in CI: it takes about ten minutes. Build first (cmake --build build).
#   benchmarks/soak/run.sh [scale] [warm-up cycles]
#                                       BUILD_DIR=... measures another build.
set -euo pipefail
cd "$(dirname "$0")/../.."
export ZELTO_BUILD_DIR="$(cd "${BUILD_DIR:-build}" && pwd)"
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb node benchmarks/soak/soak.js "$@"
