#!/usr/bin/env bash
# Redraws the core plug-in's images (core/images/) and the application's icons
# and message-box images (app/images/): tools/generate-images.sh
# The files are committed; run this only after changing a drawing in
# tools/imagegen/. ICO files need Qt's "ico" image plug-in.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S tools/imagegen -B build-imagegen -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-imagegen
QT_QPA_PLATFORM=offscreen build-imagegen/imagegen core/images app/images
