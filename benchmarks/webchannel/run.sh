#!/usr/bin/env bash
# Web channel round trips against a plain WebSocket echo, on Xvfb (the welcome
# page's web engine needs a display). Builds nothing: build first
# (ninja -C build zelto Core Welcome webchannel_echo).
#   benchmarks/webchannel/run.sh [calls] [--spread]   BUILD_DIR=... for another build
#
# Everything runs on one CPU unless --spread is given. On a virtual machine,
# waking an idle CPU costs more than a whole round trip and depends on
# unrelated load: the echo alone measured 75 us with both CPUs idle and 31 us
# with a busy process beside it. On one CPU the two measure the work a call
# takes; --spread shows what the scheduler and the hypervisor add.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(cd "${BUILD_DIR:-build}" && pwd)"
calls=3000
pin=(taskset -c "$(taskset -cp $$ | sed 's/.*: //; s/[,-].*//')")
for arg in "$@"; do
    case "$arg" in
        --spread) pin=() ;;
        *) calls="$arg" ;;
    esac
done
export ZELTO_BUILD_DIR="$build"
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
if [ ${#pin[@]} -gt 0 ]; then
    echo "all processes on CPU ${pin[2]} (--spread to let the scheduler place them)"
else
    echo "processes placed by the scheduler"
fi
exec "${pin[@]}" xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb \
    node benchmarks/webchannel/bench.js "$calls"
