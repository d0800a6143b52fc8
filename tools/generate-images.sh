#!/usr/bin/env bash
# Redraws the core plug-in's images into core/images/: tools/generate-images.sh
# The PNGs are committed; run this only after changing tools/imagegen/main.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S tools/imagegen -B build-imagegen -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-imagegen
QT_QPA_PLATFORM=offscreen build-imagegen/imagegen core/images
