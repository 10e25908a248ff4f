#!/usr/bin/env bash
# Installs what building Varvik needs and the machine lacks, from the
# distribution's packages. Asks dpkg first and installs only what is absent.
#   scripts/setup.sh run     what building and starting the program need
#   scripts/setup.sh test    that, and what the tests need
set -euo pipefail

purpose=${1:-test}

packages=(
    g++ make cmake pkg-config
    qt6-base-dev fonts-liberation
)
if [[ "$purpose" == test ]]; then
    packages+=(
        libgtest-dev libgmock-dev libbenchmark-dev
        clang
        xvfb x11-utils imagemagick desktop-file-utils
    )
fi

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
    absent=$(missing "$@")
    [[ -z "$absent" ]] && return 0
    echo "setup: installing $(echo $absent)"
    if [[ -z "${apt_updated:-}" ]]; then
        as_root apt-get update -q
        apt_updated=1
    fi
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $absent
}

install_missing "${packages[@]}"
[[ "$purpose" == test ]] || exit 0

# libFuzzer and the sanitizer run-times come with clang's own version.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
runtime="libclang-rt-${clang_major}-dev"
if apt-cache show "$runtime" >/dev/null 2>&1; then
    install_missing "$runtime"
fi
