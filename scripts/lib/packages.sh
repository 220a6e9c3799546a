# shellcheck shell=bash
# Installs what building and testing need, from Debian's packages.
# Sourced by scripts/test, scripts/demo, scripts/fuzz, scripts/bench,
# scripts/package and scripts/exhaustive.
#
# The 32-bit Wine loader (wine32:i386, from the i386 architecture) is added
# only where the kernel runs 32-bit x86 code: the product is a 32-bit exe, and
# without that loader the end-to-end tests fall back to the 64-bit build.
# A package mirror in the middle of a sync must not stop a run: the package
# lists are fetched again a few times, then the run goes on with the lists
# that arrived; only wine32:i386 may then be missing, and the run says so.
# An install that fails on the network is tried three times too.

# command-to-check:package pairs
COMPPLACE_PACKAGES=(
    cmake:cmake
    g++:g++
    /usr/src/googletest/CMakeLists.txt:googletest
    /usr/include/gtest/gtest.h:libgtest-dev
    i686-w64-mingw32-g++:g++-mingw-w64-i686
    x86_64-w64-mingw32-g++:g++-mingw-w64-x86-64
    x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64
    "${COMPPLACE_WINE64_LOADER:=/usr/lib/wine/wine64}:wine64"  # the 64-bit loader wine.sh runs
    wine:wine
    /usr/share/wine/fonts/marlett.ttf:fonts-wine
    Xvfb:xvfb
    import:imagemagick
    xwininfo:x11-utils
    clang++:clang
    zip:zip
    unzip:unzip
    bats:bats
    shellcheck:shellcheck
)

# The 32-bit loader of Debian's wine32 package.
# (Set in the environment, another path checks the fall-back to the 64-bit build.)
: "${COMPPLACE_WINE32_LOADER:=/usr/lib/wine/wine}"
# Seconds between two tries at the package lists.
: "${COMPPLACE_APT_PAUSE:=10}"
# Why wine32:i386 could not be installed, in apt's words; exported so that the
# end-to-end tests started later can name it.
export COMPPLACE_WINE32_UNAVAILABLE=${COMPPLACE_WINE32_UNAVAILABLE:-}

# True when clang's libFuzzer runtime is there. The compiler is asked where
# its runtime lives, since the folder names clang's exact version.
compplace_have_fuzzer_runtime() {
    command -v clang++ >/dev/null 2>&1 || return 1
    local name found
    for name in libclang_rt.fuzzer-x86_64.a libclang_rt.fuzzer.a; do
        found=$(clang++ -print-file-name="$name" 2>/dev/null) || continue
        [[ $found == /* && -e $found ]] && return 0
    done
    return 1
}

compplace_missing_packages() {
    local pair check package missing=()
    for pair in "${COMPPLACE_PACKAGES[@]}"; do
        check=${pair%%:*}
        package=${pair#*:}
        if [[ $check == /* ]]; then
            [[ -e $check ]] || missing+=("$package")
        elif ! command -v "$check" >/dev/null 2>&1; then
            missing+=("$package")
        fi
    done
    # The runtime that matches Debian's default clang.
    compplace_have_fuzzer_runtime || missing+=(libclang-rt-dev)
    echo "${missing[@]}"
}

# What the i386 probe found, for the line that explains a fall-back.
compplace_i386_probe=

# True when the kernel runs 32-bit x86 programs. Reading the kernel's
# configuration would not say whether IA32 emulation was switched off at boot,
# so a 96-byte i386 program that only exits with status 42 is run instead.
# Leaves what it found in compplace_i386_probe.
compplace_kernel_runs_i386() {
    local machine dir status=0 said
    machine=$(uname -m)
    if [[ $machine != x86_64 && $machine != i?86 ]]; then
        compplace_i386_probe="the machine is $machine, not x86"
        return 1
    fi
    dir=$(mktemp -d)
    # ELF header, one loadable segment, then: mov ebx, 42; mov eax, 1 (exit); int 0x80.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00%b%b%b%b' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00' \
        '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00' \
        '\x05\x00\x00\x00\x00\x10\x00\x00\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' \
        >"$dir/exit42"
    chmod +x "$dir/exit42"
    # Run by bash, which names the kernel's refusal ("Exec format error")
    # where a plain exec would fall back to reading the file as a script.
    # A program killed by a signal makes this shell report it ("Bad system
    # call") on its own standard error; the group's redirection keeps that
    # out of the caller's output, since the status already says it.
    # shellcheck disable=SC2016  # $0 is for the inner bash
    { timeout 10 bash -c '"$0"' "$dir/exit42" 2>"$dir/said"; } 2>/dev/null || status=$?
    said=$(sed 's/^.*: //' "$dir/said" | head -n 1)
    rm -rf "$dir"
    if ((status == 42)); then
        compplace_i386_probe="an i386 program ran"
        return 0
    elif ((status > 128)); then
        compplace_i386_probe="an i386 program was killed by signal $((status - 128)) at its first system call"
    else
        compplace_i386_probe="an i386 program did not run (status $status${said:+: $said})"
    fi
    return 1
}

# Why wine32:i386 is not to be installed here, on standard output; nothing
# when it is to be installed. Succeeds in both cases.
compplace_wine32_unwanted_reason() {
    local arch
    [[ -x $COMPPLACE_WINE32_LOADER ]] && { echo "it is installed"; return 0; }
    arch=$(dpkg --print-architecture 2>/dev/null || echo unknown)
    if [[ $arch != amd64 ]]; then
        echo "the package architecture is $arch, not amd64"
    elif ! compplace_kernel_runs_i386; then
        echo "this kernel runs no 32-bit code: $compplace_i386_probe"
    fi
    return 0
}

# apt's own error lines from the log $1, joined into one line.
compplace_apt_errors() {
    grep -E '^(E|W|Err):' "$1" | tail -n 3 | paste -sd' ' -
}

# True when the apt log $1 shows a failure of the network or the mirror,
# which another try may get past (a package apt does not know is not one).
compplace_apt_network_error() {
    grep -qE 'Could not resolve|Temporary failure|Failed to fetch|Connection timed out|Unable to fetch some archives' "$1"
}

# compplace_apt_install LOG PACKAGE...: installs the packages, up to three
# tries with a pause between them while the failure is the network's; apt's
# output of the last try is left in LOG.
compplace_apt_install() {
    local log=$1 try
    shift
    for try in 1 2 3; do
        if apt-get install -y -q --no-install-recommends "$@" >"$log" 2>&1; then
            return 0
        fi
        if ((try == 3)) || ! compplace_apt_network_error "$log"; then
            return 1
        fi
        echo "apt-get install failed (try $try of 3), trying again in ${COMPPLACE_APT_PAUSE}s: $(compplace_apt_errors "$log")"
        sleep "$COMPPLACE_APT_PAUSE"
    done
}

# The package lists, up to three tries with a pause between them. A mirror
# in the middle of a sync fails for one list and not the others: after the
# last try the run goes on with the lists that did arrive.
compplace_apt_update() {
    local log=$1 try
    for try in 1 2 3; do
        if apt-get update -q >"$log" 2>&1; then
            return 0
        fi
        echo "apt-get update failed (try $try of 3): $(compplace_apt_errors "$log")"
        ((try < 3)) && sleep "$COMPPLACE_APT_PAUSE"
    done
    echo "apt-get update failed three times: going on with the package lists that did arrive"
}

compplace_install_packages() {
    local missing why log wine32='' multiarch=''
    read -ra missing <<<"$(compplace_missing_packages)"
    why=$(compplace_wine32_unwanted_reason)
    if [[ -z $why ]]; then
        wine32=wine32:i386
        dpkg --print-foreign-architectures | grep -qx i386 ||
            multiarch="dpkg --add-architecture i386 && "
    fi
    ((${#missing[@]})) || [[ -n $wine32 ]] || return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo sh -c '${multiarch}apt-get update && apt-get install -y --no-install-recommends ${missing[*]}${wine32:+ $wine32}'" >&2
        return 1
    fi
    echo "Installing: ${missing[*]}${wine32:+ $wine32}"
    export DEBIAN_FRONTEND=noninteractive
    log=$(mktemp)
    [[ -n $multiarch ]] && dpkg --add-architecture i386
    compplace_apt_update "$log"
    if ((${#missing[@]})) && ! compplace_apt_install "$log" "${missing[@]}"; then
        echo "Cannot install ${missing[*]}: $(compplace_apt_errors "$log")" >&2
        rm -f "$log"
        return 1
    fi
    # Without the 32-bit loader the run goes on with the 64-bit build.
    if [[ -n $wine32 ]] && ! compplace_apt_install "$log" "$wine32"; then
        COMPPLACE_WINE32_UNAVAILABLE="apt-get cannot install $wine32: $(compplace_apt_errors "$log")"
        echo "The end-to-end tests will run the 64-bit build: $COMPPLACE_WINE32_UNAVAILABLE"
    fi
    rm -f "$log"
}
