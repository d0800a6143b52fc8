#!/usr/bin/env bash
# Checks that a fresh Debian 12 gets everything the build uses from
# tools/install-deps.sh, and that the Debian package brings what the
# application reads at run time:   tools/check-deps.sh [--qt6] [build folder]
#
#  1. the package of every shared library that the built executables,
#     plug-ins, tests and benchmarks load (ldd, dpkg -S);
#  2. the package of every file the application opens at run time outside
#     the build tree: the built zelto starts in German under Xvfb and strace,
#     with its own plug-ins, until it is idle (Qt's plug-ins and catalogues,
#     the web engine's process, resources and locales, fonts, ...);
#  3. Qt's own catalogue for every language the build has a catalogue for,
#     which must be there at all (step 2 only sees files that exist);
#  4. every package found must come with tools/install-deps.sh: named there,
#     or pulled in by what a named package depends on (it installs no
#     recommendations). The packages of steps 2 and 3 must also come with the
#     .deb: named in its Depends or Recommends, or depended on by one of
#     those. The .deb is made with cpack when the build has none up to date.
#
# --qt6 checks the Qt 6 build (build-qt6, install-deps.sh --qt6); there is no
# Qt 6 .deb, so the package step is left out.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

qt6=0
build=""
for arg in "$@"; do
    case "$arg" in
        --qt6) qt6=1 ;;
        -*) echo "usage: $0 [--qt6] [build folder]" >&2; exit 2 ;;
        *) build=$arg ;;
    esac
done
deps_options=()
if [ "$qt6" = 1 ]; then
    deps_options=(--qt6)
    qmake=/usr/lib/qt6/bin/qmake6
    build=$(realpath -m "${build:-build-qt6}")
else
    qmake=/usr/lib/qt5/bin/qmake
    build=$(realpath -m "${build:-build}")
fi

fail() { printf 'check-deps: FAILED: %s\n' "$*" >&2; exit 1; }
say() { printf '\n== %s\n' "$*"; }

[ -x "$build/bin/zelto" ] || fail "$build holds no built zelto (tools/test.sh builds it)"
for tool in apt-cache dpkg ldd strace xvfb-run; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zelto-check-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The packages a fresh machine gets for the given ones: those and, recursively,
# what they depend on (Depends and Pre-Depends; every alternative counts).
depends_closure() {
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances "$@" 2>/dev/null | grep -v '^[ <]' | sort -u
}

# Which package holds a file. dpkg knows a file under the path the package
# ships it at; merged /usr and symbolic links give it other names too.
declare -A owner_of
spellings() {
    local path
    for path in "$1" "$(readlink -f "$1")"; do
        echo "$path"
        case "$path" in
            /usr/*) echo "${path#/usr}" ;;
            *) echo "/usr$path" ;;
        esac
    done
}
look_up_owners() {
    local path queries=()
    for path in "$@"; do
        mapfile -t -O ${#queries[@]} queries < <(spellings "$path")
    done
    local packages file
    while IFS=$'\t' read -r packages file; do
        packages=${packages%%,*}
        owner_of[$file]=${packages%%:*}
    done < <(dpkg -S "${queries[@]}" 2>/dev/null | grep -v '^diversion' | sed 's/: /\t/' || true)
}
owner() {
    local spelling
    while read -r spelling; do
        if [ -n "${owner_of[$spelling]:-}" ]; then
            echo "${owner_of[$spelling]}"
            return
        fi
    done < <(spellings "$1")
}

# "package<TAB>file" for each file that some package holds. Files of no
# package (caches, generated configuration) are left out, and so are those of
# the packages every Debian system has (Essential, or of priority required).
packages_of() {
    local files=() file package unowned=0 system=0
    mapfile -t files < <(sort -u "$1")
    [ ${#files[@]} -gt 0 ] || return 0
    look_up_owners "${files[@]}"
    for file in "${files[@]}"; do
        package=$(owner "$file")
        if [ -z "$package" ]; then
            unowned=$((unowned + 1))
        elif grep -qxF "$package" "$work/system-packages"; then
            system=$((system + 1))
        else
            printf '%s\t%s\n' "$package" "$file"
        fi
    done
    echo "($unowned files of no package, $system of the base system left out)" >&2
}

dpkg-query -W -f='${Package} ${Essential} ${Priority}\n' | awk '$2 == "yes" || $3 == "required" {print $1}' \
    >"$work/system-packages"

say "Shared libraries of the built executables, plug-ins, tests and benchmarks"
: >"$work/libraries"
binaries=0
while IFS= read -r -d '' file; do
    # ldd refuses scripts and data; only ELF files are asked.
    [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
    binaries=$((binaries + 1))
    ldd_out=$(ldd "$file" 2>/dev/null || true)
    if grep -q 'not found' <<<"$ldd_out"; then
        fail "${file#"$build"/} needs libraries that are not installed: $(grep 'not found' <<<"$ldd_out" | tr -s ' \t' ' ')"
    fi
    awk '$2 == "=>" && $3 ~ /^\// {print $3}' <<<"$ldd_out" | grep -v "^$build/" >>"$work/libraries" || true
done < <(find "$build" \( -name CMakeFiles -o -name _CPack_Packages -o -name node_modules \) -prune \
    -o -type f \( -perm -u+x -o -name '*.so' -o -name '*.so.*' \) -print0)
echo "$binaries binaries, $(sort -u "$work/libraries" | wc -l) libraries"
packages_of "$work/libraries" >"$work/library-packages"

say "Files the application opens at run time"
home="$work/home"
mkdir -p "$home/config/PELUM" "$home/tmp" "$home/runtime"
chmod 700 "$home/runtime"
# German, so the catalogues of a translated language are read.
printf '[Zelto]\nLanguage=de_DE\n' >"$home/config/PELUM/ZeltoRideved.ini"
env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" TMPDIR="$home/tmp" \
    QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu ZELTO_EXIT_WHEN_IDLE=1 \
    timeout 180 xvfb-run -a -s "-screen 0 1280x800x24" \
    strace -f -z -qq -e trace=open,openat,execve -o "$work/trace" \
    "$build/bin/zelto" -newinstance -settingspath "$home/config" >"$work/zelto.log" 2>&1 \
    || { cat "$work/zelto.log"; fail "zelto did not start under strace"; }
grep -q '^zelto: idle after' "$work/zelto.log" || { cat "$work/zelto.log"; fail "zelto never became idle"; }
# Some files are read when they are there and not missed when they are not:
# icon and cursor themes and libXcursor, which Qt's xcb plug-in loads to draw
# themed cursors (the application's own images are in its resources), and
# the C library's locale aliases.
sed -n 's/^[0-9]* *\(open\|openat\|execve\)([^"]*"\([^"]*\)".*/\2/p' "$work/trace" | sort -u \
    | while IFS= read -r file; do
        case "$file" in
            /proc/* | /sys/* | /dev/* | /run/* | /tmp/* | /var/* | "$build"/* | "$source_dir"/* | "$work"/*) continue ;;
            /usr/share/icons/* | */libXcursor.so* | /usr/share/locale/locale.alias) continue ;;
            /*) [ -f "$file" ] && echo "$file" ;;
        esac
    done >"$work/runtime-files" || true
echo "$(wc -l <"$work/runtime-files") files"

# The catalogue step 2 cannot see when it is missing.
qt_translations=$("$qmake" -query QT_INSTALL_TRANSLATIONS) || fail "$qmake is missing"
for catalogue in "$build"/bin/translations/zelto_*.qm; do
    [ -e "$catalogue" ] || continue
    language=$(basename "$catalogue" .qm)
    language=${language#zelto_}
    qt_catalogue="$qt_translations/qtbase_$language.qm"
    [ -f "$qt_catalogue" ] || fail "$qt_catalogue, Qt's own catalogue for \"$language\", is missing:" \
        "no installed package holds it (Debian's Qt translations package does)"
    echo "$qt_catalogue" >>"$work/runtime-files"
done
packages_of "$work/runtime-files" >"$work/runtime-packages"

say "Packages against tools/install-deps.sh ${deps_options[*]}"
mapfile -t named < <(tools/install-deps.sh --list "${deps_options[@]}")
depends_closure "${named[@]}" >"$work/install-closure"
[ -s "$work/install-closure" ] || fail "apt-cache knows none of the packages (run apt-get update)"
problems=0
# check <list of "package<TAB>file"> <closure> <what the closure is>
check() {
    local package file
    while IFS=$'\t' read -r package file; do
        if ! grep -qxF "$package" "$2"; then
            printf '  %-28s is not installed by %s (%s)\n' "$package" "$3" "$file"
            problems=$((problems + 1))
        fi
    done < <(sort -u -t $'\t' -k1,1 "$1")
}
cat "$work/library-packages" "$work/runtime-packages" >"$work/all-packages"
check "$work/all-packages" "$work/install-closure" "tools/install-deps.sh"
echo "$(cut -f1 "$work/all-packages" | sort -u | wc -l) packages, $problems missing"

if [ "$qt6" = 0 ]; then
    deb=$(ls -t "$build"/packages/zelto-rideved_*.deb 2>/dev/null | head -n 1 || true)
    if [ -z "$deb" ] || [ "$build/bin/zelto" -nt "$deb" ] || [ "$build/CPackConfig.cmake" -nt "$deb" ]; then
        (cd "$build" && cpack -G DEB >/dev/null) || fail "cpack could not make the .deb"
        deb=$(ls -t "$build"/packages/zelto-rideved_*.deb | head -n 1)
    fi
    say "Run-time packages against $(basename "$deb")"
    fields=$(dpkg-deb -f "$deb" Depends Recommends | sed 's/^[A-Za-z-]*: //' | tr '\n' ',')
    dpkg-deb -f "$deb" Depends Recommends
    # Every alternative of "a (>= 1) | b, c" counts.
    mapfile -t declared < <(tr ',|' '\n\n' <<<"$fields" | sed 's/(.*)//; s/:any//; s/ //g' | grep -v '^$')
    depends_closure "${declared[@]}" >"$work/deb-closure"
    before=$problems
    check "$work/runtime-packages" "$work/deb-closure" "$(basename "$deb")"
    echo "$(cut -f1 "$work/runtime-packages" | sort -u | wc -l) packages, $((problems - before)) missing"
fi

[ "$problems" = 0 ] || fail "$problems packages are missing (see above)"
echo "check-deps: every package is accounted for"
