# Shared by the scripts: the packages the project needs, installed when missing.
# shellcheck shell=bash

TAVOLIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Building: native unit tests and the cross-compiled Windows program, 64-bit
# and 32-bit; and its installers: wixl makes them, msibuild (msitools) mends
# what wixl leaves out, faketime dates them; osslsigncode signs the releases
# when a key is given. The tests' drop tool is built against X11.
BUILD_PACKAGES=(cmake make g++ libgtest-dev googletest python3 clang-format libx11-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
    wixl msitools faketime osslsigncode)
# Running it and its tests: Wine (its 32-bit loader too, which prints through
# a 32-bit CUPS library) in a virtual X server with a window manager,
# screenshots, and a PDF printer to print the help on; clang for the fuzzers
# and, with lld and llvm-rc, for a second build of the Windows program;
# openssl for the signing test's throwaway keys, and a YAML reader for the
# manifests' test.
RUN_PACKAGES=(wine wine64 wine32:i386 libcups2:i386 xvfb openbox xauth x11-utils imagemagick
    cups cups-client printer-driver-cups-pdf libcups2 poppler-utils
    clang libclang-rt-14-dev lld llvm openssl python3-yaml)

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
    # Packages of another architecture (name:arch) need it known first.
    local arch
    for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\(.*\)/\1/p' | sort -u); do
        [[ $arch == "$(dpkg --print-architecture)" ]] ||
            dpkg --print-foreign-architectures | grep -qx "$arch" ||
            "${sudo[@]}" dpkg --add-architecture "$arch"
    done
    # A mirror caught mid-sync fails the update for a while; try again.
    local updated=false
    for _ in 1 2 3; do
        "${sudo[@]}" apt-get update && { updated=true; break; }
        sleep 15
    done
    local install=(apt-get install -y --no-install-recommends)
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${install[@]}" "${missing[@]}" && return 0
    $updated && return 1
    # A list left unfetched can leave one architecture without another
    # suite's newer builds; the release's own suite has them all at one version.
    local release
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Installing from $release alone"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${install[@]}" -t "$release" "${missing[@]}"
}

# Fails, naming them, when C++ sources do not follow .clang-format.
check_format() {
    cd "$TAVOLIN_ROOT"
    local sources
    mapfile -t sources < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
    clang-format --dry-run --Werror "${sources[@]}"
}

# The unit tests, the Windows program with its test programs, and the 32-bit
# program with the one test program that runs it.
build_all() {
    cd "$TAVOLIN_ROOT"
    local preset
    for preset in native windows windows32; do
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" -j "$(nproc)"
    done
}
