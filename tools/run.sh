#!/usr/bin/env bash
# Builds the application and starts it: tools/run.sh [arguments for zelto]
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
exec build/bin/zelto "$@"
