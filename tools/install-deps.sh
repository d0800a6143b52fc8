#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (run as root,
# or with sudo available). Does nothing when everything is already there.
#   tools/install-deps.sh [--qt6] [--list]
# --qt6 installs what the Qt 6 build (tools/test.sh --qt6) needs as well;
# --list prints the package names instead of installing them.
set -euo pipefail

qt6=0
list=0
for arg in "$@"; do
    case "$arg" in
        --qt6) qt6=1 ;;
        --list) list=1 ;;
        *) echo "usage: $0 [--qt6] [--list]" >&2; exit 2 ;;
    esac
done

# qttranslations5-l10n holds Qt's own catalogues (qtbase_de.qm: the
# "Abbrechen" of a German dialog's Cancel button); libqt5svg5-dev and
# qt5-image-formats-plugins bring the SVG and WebP readers for scene images.
# abigail-tools checks the SDK libraries' binary interface (tools/check-abi.sh).
packages=(
    cmake ninja-build g++ ccache pkg-config
    clang-14 libfuzzer-14-dev libclang-rt-14-dev
    qtbase5-dev qtbase5-dev-tools libqt5websockets5-dev libqt5webchannel5-dev
    qtwebengine5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev qttranslations5-l10n
    xvfb xauth x11-utils xdotool imagemagick curl valgrind strace nodejs npm
    qt5-image-formats-plugins dpkg-dev lintian desktop-file-utils shared-mime-info
    doxygen abigail-tools
    libsodium-dev openssl
)
if [ "$qt6" = 1 ]; then
    packages+=(
        qt6-base-dev qt6-websockets-dev qt6-webchannel-dev qt6-webengine-dev qt6-tools-dev
        qt6-tools-dev-tools qt6-l10n-tools qt6-svg-dev qt6-image-formats-plugins qt6-translations-l10n
    )
fi

if [ "$list" = 1 ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

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
