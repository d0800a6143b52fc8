#!/usr/bin/env bash
# Builds the Debian packages and checks them the way a user and a plug-in
# author meet them:
#   tools/package-check.sh [--cmake-install] [--update-key=BASE64] [build folder, default build]
#
#  1. cpack makes zelto-rideved and zelto-rideved-dev; their contents are
#     listed and the files the application needs are looked for;
#  2. lintian reviews them (its tags are reported, only errors fail);
#  3. the packages are installed: with dpkg -i when run as root (and removed
#     again afterwards if they were not installed before), else unpacked into
#     a scratch root with dpkg -x;
#  4. the installed zelto starts under Xvfb with a scratch settings folder, and
#     a second zelto hands a project file to it, as the menu entry does;
#  5. libCore.so exports only the classes other plug-ins use;
#  6. every installed header compiles on its own against the installed SDK;
#  7. examples/hello-plugin is built against the installed SDK in its own build
#     folder, installed into the application's plug-in folder, and the
#     installed zelto loads it;
#  8. so is examples/notes-plugin, a second document type beside the scene
#     plug-in's projects, after its test has opened, edited, saved and
#     reopened a note in the installed application's plug-ins and had notes
#     arrive by a drop, from the welcome page and from another start;
#  9. the SDK's zelto-updates makes a key, signs an installer into an appcast
#     and checks the entry.
# The -dev package carries the SDK reference, so the docs target is built first.
#
# --cmake-install leaves out steps 1 to 3 and installs the build with
# `cmake --install` into a scratch prefix instead; that checks a build no
# package is made from, such as the Qt 6 one (build-qt6).
#
# --update-key=BASE64 (or ZELTO_UPDATE_PUBLIC_KEY in the environment) builds
# the application with the public key its installers are signed with
# (zelto-updates generate-keys prints it). Without one, a package installs
# no update by itself: Update opens the download page in the browser.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
from_install=0
build_arg=build
update_key=${ZELTO_UPDATE_PUBLIC_KEY:-}
for arg in "$@"; do
    case "$arg" in
        --cmake-install) from_install=1 ;;
        --update-key=*) update_key=${arg#--update-key=} ;;
        -*) echo "usage: $0 [--cmake-install] [--update-key=BASE64] [build folder]" >&2; exit 2 ;;
        *) build_arg=$arg ;;
    esac
done
build=$(realpath -m "$build_arg")

say() { printf '\n== %s\n' "$*"; }
fail() { printf 'package-check: FAILED: %s\n' "$*" >&2; exit 1; }

tools/install-deps.sh
for tool in cpack dpkg-deb xvfb-run; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done

say "Building $build"
if [ -n "$update_key" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DZELTO_UPDATE_PUBLIC_KEY=$update_key" >/dev/null
elif [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
if ! grep -q '^ZELTO_UPDATE_PUBLIC_KEY:STRING=.' "$build/CMakeCache.txt"; then
    printf '\npackage-check: WARNING: %s is built without an update key (--update-key=BASE64):\n' "$build" >&2
    printf 'package-check: WARNING: its packages install no update by themselves, only open the page.\n' >&2
fi
cmake --build "$build"
cmake --build "$build" --target docs

if [ "$from_install" = 0 ]; then
    say "Packaging"
    rm -rf "$build/packages"
    (cd "$build" && cpack -G DEB >/dev/null)
    app_deb=$(ls "$build"/packages/zelto-rideved_*.deb)
    dev_deb=$(ls "$build"/packages/zelto-rideved-dev_*.deb)
    for deb in "$app_deb" "$dev_deb"; do
        say "$(basename "$deb")"
        dpkg-deb -f "$deb" Package Version Depends Recommends
        dpkg-deb -c "$deb"
    done

    # Paths are as dpkg-deb -c prints them.
    expect_in() {
        local deb=$1 listing
        shift
        listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
        for path in "$@"; do
            grep -qxF "$path" <<<"$listing" || fail "$(basename "$deb") lacks $path"
        done
    }
    icons=()
    for size in 16 22 24 32 48 64 128 256; do
        icons+=("./usr/share/icons/hicolor/${size}x${size}/apps/zelto-rideved.png"
                "./usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-zelto-project.png")
    done
    expect_in "$app_deb" ./usr/lib/zelto/zelto ./usr/lib/zelto/libExtensionSystem.so \
        ./usr/lib/zelto/plugins/libCore.so ./usr/lib/zelto/plugins/core/libReleaseNotes.so \
        ./usr/lib/zelto/translations/zelto_de.qm \
        ./usr/lib/zelto/resources/styles/zelto_dark.qss ./usr/lib/zelto/resources/styles/zelto_light.qss \
        ./usr/share/applications/zelto-rideved.desktop ./usr/share/mime/packages/zelto-rideved.xml \
        ./usr/share/man/man1/zelto.1.gz "${icons[@]}"
    expect_in "$dev_deb" ./usr/include/zelto/core/icore.h ./usr/include/zelto/extensionsystem/iplugin.h \
        ./usr/lib/cmake/ZeltoCore/ZeltoCoreConfig.cmake ./usr/lib/cmake/ZeltoCore/ZeltoCoreConfigVersion.cmake \
        ./usr/share/doc/zelto-rideved-dev/api/index.html ./usr/share/doc/zelto-rideved-dev/api/classICore.html \
        ./usr/share/doc/zelto-rideved-dev/zelto-sdk.qch ./usr/lib/zelto/zelto-updates \
        ./usr/share/man/man1/zelto-updates.1.gz
    [ "$(dpkg-deb -c "$dev_deb" | awk '$6 == "./usr/bin/zelto-updates" {print $8}')" = ../lib/zelto/zelto-updates ] \
        || fail "/usr/bin/zelto-updates is not a link to ../lib/zelto/zelto-updates"
    # Update signatures are checked with libsodium, which the core links.
    for deb in "$app_deb" "$dev_deb"; do
        dpkg-deb -f "$deb" Depends | grep -q 'libsodium23' || fail "$(basename "$deb") does not depend on libsodium23"
    done
    if dpkg-deb -c "$dev_deb" | grep -q '_p\.h$'; then
        fail "the SDK holds private headers"
    fi
    [ "$(dpkg-deb -c "$app_deb" | awk '$6 == "./usr/bin/zelto" {print $8}')" = ../lib/zelto/zelto ] \
        || fail "/usr/bin/zelto is not a link to ../lib/zelto/zelto"
    if ls "$build"/bin/zelto_help_*.pdf >/dev/null 2>&1; then
        for pdf in "$build"/bin/zelto_help_*.pdf; do
            expect_in "$app_deb" "./usr/lib/zelto/$(basename "$pdf")"
        done
    fi

    if command -v desktop-file-validate >/dev/null; then
        say "desktop-file-validate"
        desktop-file-validate packaging/zelto-rideved.desktop
    fi

    if command -v lintian >/dev/null; then
        say "lintian"
        # Warnings are reported for a person to judge; errors fail the check.
        lintian_out=$(lintian --tag-display-limit 0 "$app_deb" "$dev_deb" 2>&1 | grep -v 'root privileges' || true)
        printf '%s\n' "${lintian_out:-(no tags)}"
        if grep -q '^E:' <<<"$lintian_out"; then
            fail "lintian reports errors"
        fi
    else
        say "lintian is not installed; skipped"
    fi
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zelto-package-check.XXXXXX")
installed_here=0
app_pid=""
hello_file=""
notes_file=""
cleanup() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
    fi
    if [ -n "$hello_file" ]; then
        rm -f "$hello_file"
    fi
    if [ -n "$notes_file" ]; then
        rm -f "$notes_file"
    fi
    if [ "$installed_here" = 1 ]; then
        dpkg -P zelto-rideved-dev zelto-rideved >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

if [ "$from_install" = 1 ]; then
    say "Installing with cmake --install into $work/root/usr"
    cmake --install "$build" --prefix "$work/root/usr" >/dev/null
    root="$work/root"
    zelto_cmd="$root/usr/bin/zelto"
elif [ "$(id -u)" = 0 ] && [ "${ZELTO_PACKAGE_CHECK_UNPACK:-0}" != 1 ]; then
    say "Installing with dpkg -i"
    if ! dpkg-query -W -f='${Status}' zelto-rideved 2>/dev/null | grep -q "install ok installed"; then
        installed_here=1
    fi
    dpkg -i "$app_deb" "$dev_deb"
    root=""
    # The triggers of shared-mime-info and desktop-file-utils have run: the
    # file types are known, and opening them offers the application.
    grep -qx 'application/x-zelto-project:\*\.zelto' /usr/share/mime/globs \
        || fail "the MIME database does not know *.zelto"
    grep -qx 'application/x-zelto-pack:\*\.zeltopack' /usr/share/mime/globs \
        || fail "the MIME database does not know *.zeltopack"
    grep -q '^application/x-zelto-project=.*zelto-rideved.desktop' /usr/share/applications/mimeinfo.cache \
        || fail "project files are not associated with zelto-rideved.desktop"
    zelto_cmd=zelto
else
    say "Unpacking into $work/root"
    dpkg -x "$app_deb" "$work/root"
    dpkg -x "$dev_deb" "$work/root"
    root="$work/root"
    zelto_cmd="$root/usr/bin/zelto"
fi
command -v "$zelto_cmd" >/dev/null || fail "$zelto_cmd is not there"
plugin_dir="$root/usr/lib/zelto/plugins"

# Every run gets its own home and settings folder, so it never meets the
# settings of a user or of another run: run_zelto <name> <command...>
zelto_env() {
    mkdir -p "$work/$1/runtime" && chmod 700 "$work/$1/runtime"
    env_args=(HOME="$work/$1" XDG_CONFIG_HOME="$work/$1/config" XDG_RUNTIME_DIR="$work/$1/runtime"
              ZELTO_SETTINGS_PATH="$work/$1/config" QTWEBENGINE_DISABLE_SANDBOX=1
              QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu)
}
run_zelto() {
    zelto_env "$1"
    shift
    env "${env_args[@]}" "$@"
}

say "Starting the installed zelto"
run_zelto start env ZELTO_EXIT_WHEN_IDLE=1 timeout 120 xvfb-run -a "$zelto_cmd" -profile \
    >"$work/start.log" 2>&1 || { cat "$work/start.log"; fail "the installed zelto did not start"; }
cat "$work/start.log"
grep -q '^zelto: idle after' "$work/start.log" || fail "the installed zelto never became idle"
run_zelto version env QT_QPA_PLATFORM=offscreen "$zelto_cmd" -version | grep -qx 'Zelto Rideved [0-9.]*' || fail "zelto -version"

say "Handing a file to the running instance"
# The menu entry runs "zelto %F": with an instance running, the new process
# hands the files over and exits without a window of its own.
touch "$work/handover.zelto"
zelto_env handover
# timeout leads its own process group and takes the whole group (xvfb-run,
# Xvfb, zelto) down when it is told to stop.
env "${env_args[@]}" timeout 120 xvfb-run -a "$zelto_cmd" -profile >"$work/first.log" 2>&1 &
app_pid=$!
for _ in $(seq 1 600); do
    grep -q 'start-up took' "$work/first.log" 2>/dev/null && break
    kill -0 "$app_pid" 2>/dev/null || { cat "$work/first.log"; fail "the first instance ended early"; }
    sleep 0.1
done
grep -q 'start-up took' "$work/first.log" || { cat "$work/first.log"; fail "the first instance did not start"; }
run_zelto handover env ZELTO_EXIT_WHEN_IDLE=1 QT_QPA_PLATFORM=offscreen timeout 60 \
    "$zelto_cmd" "$work/handover.zelto" >"$work/second.log" 2>&1 \
    || { cat "$work/second.log"; fail "the second instance failed"; }
if grep -q 'idle after' "$work/second.log"; then
    cat "$work/second.log"
    fail "the second instance started its own window instead of handing the file over"
fi
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
app_pid=""
echo "handed over"

say "Symbols exported by libCore.so"
# Every exported polymorphic class exports its typeinfo; the list must stay
# within the classes other plug-ins use. Instances of the standard library's
# templates keep the library's own (default) visibility and are left out.
allowed=" $(echo ActionContainer ActionManager ContextAction ContextManager DocumentManager EditorManager \
    ICore ICreateDocumentDlg IDocument IDocumentFactory IEditor ILanguageManager IMainMdiArea IOptionPage IOptionsDlg \
    IThemesManager 'ISingleton<IUi>' IUi MainWindow ProxyAction QSimpleUpdater WebSocketClientWrapper \
    WebSocketTransport ZTNotificationBar) "
exported=$(nm -DC --defined-only "$plugin_dir/libCore.so" | sed -n 's/^.* typeinfo for //p' | grep -v '^std::' | sort -u)
echo "$exported" | tr '\n' ' '
echo
while read -r class; do
    [ -z "$class" ] && continue
    [[ "$allowed" == *" $class "* ]] || fail "libCore.so exports $class, which is not for other plug-ins"
done <<<"$exported"

say "Compiling every installed header on its own"
headers_project="$work/headers"
mkdir -p "$headers_project/src"
sources=()
while read -r header; do
    name=$(echo "$header" | tr '/.' '__')
    printf '#include "%s"\n' "$header" >"$headers_project/src/$name.cpp"
    sources+=("src/$name.cpp")
done < <(cd "$root/usr/include/zelto" && find . -name '*.h' | sed 's|^\./||' | sort)
[ ${#sources[@]} -gt 0 ] || fail "no installed headers"
cat >"$headers_project/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.19)
project(HeaderCheck LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(ZeltoCore REQUIRED)
add_library(headers OBJECT ${sources[*]})
target_link_libraries(headers PRIVATE Zelto::Core)
target_compile_options(headers PRIVATE -Wall -Wextra -Werror)
EOF
cmake -S "$headers_project" -B "$headers_project/build" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$headers_project/build" >/dev/null || cmake --build "$headers_project/build"
echo "${#sources[@]} headers compile on their own"

say "Building examples/hello-plugin against the installed SDK"
cmake -S examples/hello-plugin -B "$work/hello" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$work/hello"
hello_file="$plugin_dir/libHello.so"
cmake --install "$work/hello"
[ -f "$plugin_dir/libHello.so" ] || fail "cmake --install did not put libHello.so into $plugin_dir"

say "Loading it in the installed zelto"
run_zelto hello env ZELTO_EXIT_WHEN_IDLE=1 timeout 120 xvfb-run -a "$zelto_cmd" -profile \
    >"$work/hello.log" 2>&1 || { cat "$work/hello.log"; fail "zelto with the hello plug-in did not start"; }
cat "$work/hello.log"
grep -q '^hello: plug-in initialized' "$work/hello.log" || fail "the hello plug-in was not initialised"
grep -q 'Profile: hello extensionsInitialized' "$work/hello.log" || fail "the hello plug-in did not start"
grep -q '^hello: "Help.Hello" added to "MenuBar.Help"' "$work/hello.log" \
    || fail "the hello plug-in did not find the Help menu"

say "Building and testing examples/notes-plugin against the installed SDK"
cmake -S examples/notes-plugin -B "$work/notes" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$work/notes"
# The test is the application: the installed plug-ins and this notes plug-in
# in one process, with a home and settings of its own.
run_zelto notes-test ctest --test-dir "$work/notes" --output-on-failure \
    || fail "the notes plug-in's test failed"
notes_file="$plugin_dir/libNotes.so"
cmake --install "$work/notes"
[ -f "$notes_file" ] || fail "cmake --install did not put libNotes.so into $plugin_dir"
run_zelto notes env ZELTO_EXIT_WHEN_IDLE=1 timeout 120 xvfb-run -a "$zelto_cmd" -profile \
    >"$work/notes.log" 2>&1 || { cat "$work/notes.log"; fail "zelto with the notes plug-in did not start"; }
for plugin in scene notes; do
    grep -q "Profile: $plugin extensionsInitialized" "$work/notes.log" \
        || { cat "$work/notes.log"; fail "the $plugin plug-in did not start beside the other"; }
done
echo "the installed zelto runs the notes plug-in beside the scene plug-in"

say "Signing with the installed zelto-updates"
updates_cmd="$root/usr/bin/zelto-updates"
public_key=$(run_zelto updates "$updates_cmd" generate-keys "$work/keys") || fail "zelto-updates generate-keys"
printf 'installer' >"$work/installer.bin"
run_zelto updates "$updates_cmd" appcast --platform linux --version 2.1.0 --key "$work/keys/ed25519.key" \
    --url https://example.com/installer.bin "$work/installer.bin" "$work/appcast.json" || fail "zelto-updates appcast"
run_zelto updates "$updates_cmd" verify --public-key "$public_key" --appcast "$work/appcast.json" --platform linux \
    "$work/installer.bin" || fail "zelto-updates verify refused its own entry"

say "Package check passed"
if [ "$from_install" = 0 ]; then
    ls -l "$app_deb" "$dev_deb"
fi
