#!/usr/bin/env bash
# Checks that the libraries plug-ins link, libCore.so and libExtensionSystem.so,
# keep the binary interface of the baselines in tools/abi/:
#   tools/check-abi.sh [--update] [build folder, default build]
#
# The interface is what the installed headers declare (the types of Qt and
# the C++ library are left out, see tools/abi/foreign-types.suppr). abidw
# (Debian's abigail-tools) reads it from the built libraries' debug
# information and abidiff compares it with the baseline: a change that breaks
# plug-ins built against the baseline (a removed or changed function, a class
# whose size or virtual functions changed) fails the check; additions are
# listed and pass.
#
# --update writes the baselines from the build instead. An incompatible
# change is made on purpose only, with the new baselines in the same commit
# and the reason in its message (see README.md, "The SDK's binary interface").
# The baselines are of the Qt 5 build, which the Debian package ships.
set -euo pipefail
cd "$(dirname "$0")/.."
update=0
build_arg=build
for arg in "$@"; do
    case "$arg" in
        --update) update=1 ;;
        -*) echo "usage: $0 [--update] [build folder]" >&2; exit 2 ;;
        *) build_arg=$arg ;;
    esac
done
build=$(realpath -m "$build_arg")

fail() { printf 'check-abi: FAILED: %s\n' "$*" >&2; exit 1; }

for tool in abidw abidiff; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs abigail-tools)"
done
[ -f "$build/CMakeCache.txt" ] || fail "$build is not a build folder; build first (tools/test.sh)"
grep -qx 'ZELTO_QT_MAJOR:STRING=5' "$build/CMakeCache.txt" \
    || fail "$build is not a Qt 5 build; the baselines are of the Qt 5 build"
grep -qxE 'CMAKE_BUILD_TYPE:STRING=(RelWithDebInfo|Debug)' "$build/CMakeCache.txt" \
    || fail "$build has no debug information to read the interface from (build it as RelWithDebInfo)"
grep -qx 'ZELTO_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && fail "$build is a sanitizer build"

cmake --build "$build"
work=$(mktemp -d "${TMPDIR:-/tmp}/zelto-check-abi.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Only the types of the headers the SDK installs are its interface.
cmake --install "$build" --component Development --prefix "$work/sdk" >/dev/null

status=0
for lib in bin/plugins/libCore.so bin/libExtensionSystem.so; do
    name=$(basename "$lib" .so)
    abidw --headers-dir "$work/sdk/include/zelto" --drop-private-types --drop-undefined-syms \
        --suppressions tools/abi/foreign-types.suppr --no-show-locs --no-corpus-path --no-comp-dir-path \
        --out-file "$work/$name.abi" "$build/$lib"
    baseline=tools/abi/$name.abi
    if [ "$update" = 1 ]; then
        cp "$work/$name.abi" "$baseline"
        echo "wrote $baseline"
        continue
    fi
    [ -f "$baseline" ] || fail "$baseline is missing (tools/check-abi.sh --update writes it)"
    rc=0
    abidiff --no-show-locs --suppressions tools/abi/foreign-types.suppr "$baseline" "$work/$name.abi" >"$work/$name.diff" 2>&1 || rc=$?
    # abidiff's status is a bit set: 1 error, 2 usage, 4 a change, 8 an incompatible change.
    if (( rc & 3 )); then
        cat "$work/$name.diff" >&2
        fail "abidiff could not compare $name"
    elif (( rc & 8 )); then
        cat "$work/$name.diff"
        echo "check-abi: $name breaks the binary interface of $baseline" >&2
        status=1
    elif (( rc & 4 )); then
        cat "$work/$name.diff"
        echo "$name: compatible changes only"
    else
        echo "$name: the interface of $baseline"
    fi
done
[ "$status" = 0 ] || fail "an incompatible change; if it is meant, update the baselines (tools/check-abi.sh --update) in the same commit and say why in its message"
