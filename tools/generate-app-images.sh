#!/usr/bin/env bash
# Redraws the application's icons and message-box images into app/images/:
# tools/generate-app-images.sh. The files are committed; run this only after
# changing tools/appimages/main.cpp. ICO files need Qt's "ico" image plug-in.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S tools/appimages -B build-appimages -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-appimages
QT_QPA_PLATFORM=offscreen build-appimages/appimages app/images
