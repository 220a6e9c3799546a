# Installs what building and testing need, from Debian's packages.
# Sourced by scripts/test, scripts/demo, scripts/fuzz and scripts/bench.

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

compplace_install_packages() {
    local missing
    missing=$(compplace_missing_packages)
    [[ -z $missing ]] && return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends $missing" >&2
        return 1
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
}
