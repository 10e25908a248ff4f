#!/usr/bin/env bash
# Installs what building Varvik needs and the machine lacks, from the
# distribution's packages. Asks dpkg first and installs only what is absent.
#   scripts/setup.sh run       what building and starting the program need
#   scripts/setup.sh windows   what cross-building the Windows program and
#                              testing it under Wine need
#   scripts/setup.sh test      all of that, and what the tests need
#   scripts/setup.sh release   what scripts/release.sh needs to build every
#                              download
#   scripts/setup.sh reproducible  that, and what scripts/check-reproducible.sh
#                              needs to build it twice and compare
#   scripts/setup.sh web       what building the web page and testing it in
#                              real browsers need
set -euo pipefail

purpose=${1:-test}

# Cross-building Varvik141.exe, and running it and its tests under Wine on a
# private X server; GoogleTest is built from the sources googletest installs.
# Wine's "MS Sans Serif" comes with fonts-wine; at 2 times the resolution,
# where it has no size, the window's face is Liberation Sans (Wine's Arial).
# wixl, of msitools, makes the installer.
windows_packages=(
    make cmake g++-mingw-w64-x86-64-posix googletest
    wine wine64 fonts-wine fonts-liberation
    xvfb x11-utils xdotool xclip imagemagick python3-pefile
    msitools wixl
)

# Building and starting the Qt window.
run_packages=(g++ make cmake pkg-config qt6-base-dev libx11-dev qt6-translations-l10n fonts-liberation)

# Building the downloads of a release: the source archive, the Debian
# package (checked by lintian), the Windows program (its version information
# read back) and its installer (wixl, dated through libmsi from Python, its
# summary made Swedish with msitools), and the web page (emscripten).
release_packages=(
    git g++ make cmake pkg-config qt6-base-dev dpkg-dev file lintian
    g++-mingw-w64-x86-64-posix python3-pefile wixl msitools python3-gi gir1.2-libmsi-1.0
    emscripten nodejs
)

# The web page: the core built by emscripten (its tools run on node), tested
# under node and in Chromium and Firefox, driven by the JavaScript tools that
# package.json names (npm ci). A node from elsewhere brings its own npm, which
# Debian's npm package would conflict with.
web_packages=(make cmake emscripten googletest nodejs chromium firefox-esr)
if ! command -v npm >/dev/null; then
    web_packages+=(npm)
fi

case "$purpose" in
web)
    packages=("${web_packages[@]}") ;;
run)
    packages=("${run_packages[@]}") ;;
windows)
    packages=("${windows_packages[@]}") ;;
release)
    packages=("${release_packages[@]}") ;;
reproducible)
    # Another clock and another locale for the second build, and a tool that
    # shows what differs inside packages and executables.
    packages=("${release_packages[@]}" faketime locales diffoscope xxd binutils-multiarch msitools) ;;
test)
    packages=(
        "${run_packages[@]}"
        libgtest-dev libgmock-dev libbenchmark-dev
        clang
        xvfb x11-utils xdotool xclip imagemagick desktop-file-utils appstream
        dpkg-dev lintian
        dbus at-spi2-core python3-pyatspi
        weston qt6-wayland
        "${windows_packages[@]}"
        "${web_packages[@]}"
    ) ;;
*)
    echo "usage: $0 run|windows|web|test|release|reproducible" >&2
    exit 2 ;;
esac

missing() {
    local package status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || echo "$package"
    done
}

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    else
        sudo "$@"
    fi
}

install_missing() {
    local absent
    absent=$(missing "$@" | sort -u)
    [[ -z "$absent" ]] && return 0
    if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null; then
        echo "setup: missing $(echo $absent)" >&2
        echo "setup: neither root nor sudo here; as root, run:" >&2
        echo "  apt-get update && apt-get install --no-install-recommends $(echo $absent)" >&2
        exit 1
    fi
    echo "setup: installing $(echo $absent)"
    if [[ -z "${apt_updated:-}" ]]; then
        as_root apt-get update -q
        apt_updated=1
    fi
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $absent
}

install_missing "${packages[@]}"

# The browsers' driver and its kin, at the versions package-lock.json holds,
# installed anew when the lock is newer than what npm last installed.
if [[ "$purpose" == web || "$purpose" == test ]]; then
    cd "$(dirname "$0")/.."
    if [[ package-lock.json -nt node_modules/.package-lock.json ]]; then
        npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
    fi
fi
[[ "$purpose" == test ]] || exit 0

# libFuzzer and the sanitizer run-times come with clang's own version.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
runtime="libclang-rt-${clang_major}-dev"
if apt-cache show "$runtime" >/dev/null 2>&1; then
    install_missing "$runtime"
fi
