#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (run as root,
# or with sudo available). Does nothing when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ ccache pkg-config
    clang-14 libfuzzer-14-dev libclang-rt-14-dev
    qtbase5-dev qtbase5-dev-tools libqt5websockets5-dev libqt5webchannel5-dev
    qtwebengine5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev
    xvfb xauth x11-utils xdotool imagemagick curl valgrind nodejs npm
    dpkg-dev lintian desktop-file-utils shared-mime-info
    doxygen
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# A Node.js from another source may already provide node and npm.
if command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1; then
    filtered=()
    for p in "${missing[@]}"; do
        [[ "$p" == nodejs || "$p" == npm ]] || filtered+=("$p")
    done
    missing=("${filtered[@]+"${filtered[@]}"}")
fi

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
