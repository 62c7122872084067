# Shared by the scripts: the packages the project needs, installed when missing.
# shellcheck shell=bash

TAVOLIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Building: native unit tests and the cross-compiled Windows program.
BUILD_PACKAGES=(cmake make g++ libgtest-dev googletest python3 clang-format
    g++-mingw-w64-x86-64-posix mingw-w64-tools)
# Running it and its tests: Wine in a virtual X server with a window manager,
# screenshots, and a PDF printer to print the help on.
RUN_PACKAGES=(wine wine64 xvfb openbox xauth x11-utils imagemagick
    cups cups-client printer-driver-cups-pdf libcups2 poppler-utils clang libclang-rt-14-dev)

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# Fails, naming them, when C++ sources do not follow .clang-format.
check_format() {
    cd "$TAVOLIN_ROOT"
    local sources
    mapfile -t sources < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
    clang-format --dry-run --Werror "${sources[@]}"
}

build_all() {
    cd "$TAVOLIN_ROOT"
    cmake --preset native >/dev/null
    cmake --build --preset native -j "$(nproc)"
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$(nproc)"
}
