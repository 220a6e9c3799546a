# shellcheck shell=bash
# Installs what building and testing need, from Debian's packages.
# Sourced by scripts/test, scripts/demo, scripts/fuzz, scripts/bench and scripts/package.
#
# The 32-bit Wine loader (wine32:i386, from the i386 architecture) is added
# only where the kernel runs 32-bit x86 code: the product is a 32-bit exe, and
# without that loader the end-to-end tests fall back to the 64-bit build.

# command-to-check:package pairs
COMPPLACE_PACKAGES=(
    cmake:cmake
    g++:g++
    /usr/src/googletest/CMakeLists.txt:googletest
    /usr/include/gtest/gtest.h:libgtest-dev
    i686-w64-mingw32-g++:g++-mingw-w64-i686
    x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64
    x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64
    /usr/lib/wine/wine64:wine64
    wine:wine
    /usr/share/wine/fonts/marlett.ttf:fonts-wine
    Xvfb:xvfb
    import:imagemagick
    xwininfo:x11-utils
    clang++:clang
    /usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a:libclang-rt-14-dev
    zip:zip
    unzip:unzip
)

compplace_missing_packages() {
    local pair check package missing=()
    for pair in "${COMPPLACE_PACKAGES[@]}"; do
        check=${pair%%:*}
        package=${pair#*:}
        if [[ $check == /* ]]; then
            [[ -e $check ]] || missing+=("$package")
        else
            command -v "$check" >/dev/null 2>&1 || missing+=("$package")
        fi
    done
    echo "${missing[@]}"
}

# The 32-bit loader of Debian's wine32 package.
# (Set in the environment, another path checks the fall-back to the 64-bit build.)
: "${COMPPLACE_WINE32_LOADER:=/usr/lib/wine/wine}"

# True when the kernel runs 32-bit x86 programs. Reading the kernel's
# configuration would not say whether IA32 emulation was switched off at boot,
# so a 96-byte i386 program that only exits with status 42 is run instead.
compplace_kernel_runs_i386() {
    [[ $(uname -m) == x86_64 || $(uname -m) == i?86 ]] || return 1
    local dir status
    dir=$(mktemp -d) || return 1
    # ELF header, one loadable segment, then: mov ebx, 42; mov eax, 1 (exit); int 0x80.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00%b%b%b%b' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00' \
        '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00' \
        '\x05\x00\x00\x00\x00\x10\x00\x00\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' \
        >"$dir/exit42"
    chmod +x "$dir/exit42"
    timeout 10 "$dir/exit42" 2>/dev/null
    status=$?
    rm -rf "$dir"
    ((status == 42))
}

# The wine32:i386 package when this machine can use it and lacks it.
compplace_missing_wine32() {
    [[ -x $COMPPLACE_WINE32_LOADER ]] && return 0
    [[ $(dpkg --print-architecture 2>/dev/null) == amd64 ]] || return 0
    compplace_kernel_runs_i386 && echo wine32:i386
}

compplace_install_packages() {
    local missing wine32 multiarch=
    missing=$(compplace_missing_packages)
    wine32=$(compplace_missing_wine32)
    if [[ -n $wine32 ]]; then
        missing="${missing:+$missing }$wine32"
        dpkg --print-foreign-architectures | grep -qx i386 ||
            multiarch="dpkg --add-architecture i386 && "
    fi
    [[ -z $missing ]] && return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo sh -c '${multiarch}apt-get update && apt-get install -y --no-install-recommends $missing'" >&2
        return 1
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    [[ -n $multiarch ]] && dpkg --add-architecture i386
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
}
