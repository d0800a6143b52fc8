#!/bin/sh
# Runs the scene benchmarks: editor playback under Xvfb (a real X server, as
# users see it), project files, HTML5 export and editing (paste, handles) on
# the offscreen platform.
# Builds bench_scene first. Usage: benchmarks/scene/run.sh [build dir]
# Playback runs at 60 fps, at 30 fps and at 24 fps, the frame rate of new
# projects, each with the cost per item of larger scenes and projects.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELTO_BUILD_TESTS=OFF
fi
ninja -C "$build" bench_scene
bench="$build/bin/bench_scene"
if command -v xvfb-run >/dev/null 2>&1; then
    for fps in 60 30 24; do
        xvfb-run -a -s "-screen 0 1600x1000x24" env QT_QPA_PLATFORM=xcb "$bench" playback $fps
    done
else
    echo "xvfb-run not found: the playback figures are skipped" >&2
fi
QT_QPA_PLATFORM=offscreen "$bench" files
QT_QPA_PLATFORM=offscreen "$bench" export
QT_QPA_PLATFORM=offscreen "$bench" editing
