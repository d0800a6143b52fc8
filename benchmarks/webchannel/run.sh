#!/usr/bin/env bash
# Web channel round trips against a plain WebSocket echo, on Xvfb (the welcome
# page's web engine needs a display). Builds nothing: build first
# (ninja -C build zelto Core Welcome webchannel_echo).
#   benchmarks/webchannel/run.sh [calls] [--cross | --spread]
#   BUILD_DIR=... measures another build.
#
# Where the processes run decides the result more than the code does. On a
# virtual machine, waking an idle CPU costs more than a whole round trip, and
# the scheduler tends to put the echo beside the client but not the larger
# application. So both servers are placed alike:
#   (default)  everything on one CPU: the work a call takes;
#   --cross    the client on one CPU, both servers on another: the same work
#              plus a wake-up of the other CPU each way;
#   --spread   wherever the scheduler puts them.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(cd "${BUILD_DIR:-build}" && pwd)"
calls=3000
placement=same
for arg in "$@"; do
    case "$arg" in
        --cross) placement=cross ;;
        --spread) placement=spread ;;
        *) calls="$arg" ;;
    esac
done

# The CPUs this shell may use, one per line.
cpus=()
while IFS= read -r range; do
    if [[ "$range" == *-* ]]; then
        for ((c = ${range%-*}; c <= ${range#*-}; ++c)); do cpus+=("$c"); done
    else
        cpus+=("$range")
    fi
done < <(taskset -cp $$ | sed 's/.*: //' | tr ',' '\n')

export ZELTO_BUILD_DIR="$build"
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
client=()
case "$placement" in
    same)
        client=(taskset -c "${cpus[0]}")
        echo "all processes on CPU ${cpus[0]}"
        ;;
    cross)
        if [ ${#cpus[@]} -lt 2 ]; then
            echo "--cross needs two CPUs" >&2
            exit 2
        fi
        wrappers="$(mktemp -d)"
        trap 'rm -rf "$wrappers"' EXIT
        printf '#!/bin/sh\nexec taskset -c %s "%s" "$@"\n' "${cpus[1]}" "$build/bin/zelto" > "$wrappers/zelto"
        printf '#!/bin/sh\nexec taskset -c %s "%s" "$@"\n' "${cpus[1]}" \
            "$build/benchmarks/webchannel/webchannel_echo" > "$wrappers/echo"
        chmod +x "$wrappers/zelto" "$wrappers/echo"
        export ZELTO_BIN="$wrappers/zelto" ECHO_BIN="$wrappers/echo"
        client=(taskset -c "${cpus[0]}")
        echo "client on CPU ${cpus[0]}, zelto and the echo on CPU ${cpus[1]}"
        ;;
    spread)
        echo "processes placed by the scheduler"
        ;;
esac
"${client[@]}" xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb \
    node benchmarks/webchannel/bench.js "$calls"
