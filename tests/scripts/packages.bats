#!/usr/bin/env bats
# The package step's decisions, driven through stub commands: who installs,
# what a bad mirror or a missing 32-bit part does, and what each says.
# Stub bodies are single-quoted on purpose, root and stubs come from
# helpers.bash, and the functions a test redefines are called by the code
# under test:
# shellcheck disable=SC2016,SC2154,SC2317

load helpers

setup() {
    setup_stubs
    # shellcheck source=scripts/lib/packages.sh
    source "$root/scripts/lib/packages.sh"
    COMPPLACE_PACKAGES=(no-such-tool-here:foo-tools)
    COMPPLACE_WINE32_LOADER=$BATS_TEST_TMPDIR/no-wine32-loader
    COMPPLACE_APT_PAUSE=0
    compplace_have_fuzzer_runtime() { return 0; }
    compplace_kernel_runs_i386() { return 0; }
    stub id 'echo 0'
    stub dpkg 'case $1 in --print-architecture) echo amd64 ;; esac'
    apt_calls=$BATS_TEST_TMPDIR/apt-calls
    # apt-get logs its arguments; APT_UPDATE and APT_INSTALL_I386 set the
    # status of an update and of an install of an i386 package.
    stub apt-get '
echo "$*" >>"'"$apt_calls"'"
case $1 in
    update) [[ ${APT_UPDATE:-0} == 0 ]] || { echo "E: Failed to fetch i386/Packages  File has unexpected size"; exit "$APT_UPDATE"; } ;;
    install) [[ $* != *:i386* || ${APT_INSTALL_I386:-0} == 0 ]] ||
        { echo "E: Unable to correct problems, you have held broken packages."; exit 100; } ;;
esac'
}

@test "a kernel that runs no 32-bit code gets no wine32, and the reason names the probe" {
    compplace_kernel_runs_i386() { compplace_i386_probe="probe refused"; return 1; }
    run compplace_wine32_unwanted_reason
    [ "$status" -eq 0 ]
    [ "$output" = "this kernel runs no 32-bit code: probe refused" ]
    run compplace_install_packages
    [ "$status" -eq 0 ]
    grep -qx 'install -y -q --no-install-recommends foo-tools' "$apt_calls"
    run grep -q i386 "$apt_calls"
    [ "$status" -eq 1 ]
}

@test "the i386 probe reports a refusal under a filter that kills 32-bit system calls" {
    no_i386=$root/../shared/tools/no-i386
    [[ -x $no_i386 ]] || skip "no $no_i386 beside the repository"
    source "$root/scripts/lib/packages.sh"  # the real probe again
    run "$no_i386" bash -c 'source "$1"; compplace_kernel_runs_i386; echo "status $? $compplace_i386_probe"' \
        probe "$root/scripts/lib/packages.sh"
    [[ $output == "status 1 an i386 program "* ]]
}

@test "a failing package index is fetched three times, then the run goes on" {
    export APT_UPDATE=100
    run compplace_install_packages
    [ "$status" -eq 0 ]
    [ "$(grep -c '^update' "$apt_calls")" -eq 3 ]
    [[ $output == *"apt-get update failed (try 3 of 3): E: Failed to fetch i386/Packages"* ]]
    [[ $output == *"going on with the package lists that did arrive"* ]]
    grep -q 'install .* foo-tools$' "$apt_calls"
}

@test "wine32:i386 that cannot be installed leaves the 64-bit fall-back, said with apt's reason" {
    export APT_INSTALL_I386=1
    compplace_install_packages >"$BATS_TEST_TMPDIR/out"
    grep -qx "The end-to-end tests will run the 64-bit build: apt-get cannot install wine32:i386: E: Unable to correct problems, you have held broken packages." \
        "$BATS_TEST_TMPDIR/out"
    grep -qx 'install -y -q --no-install-recommends wine32:i386' "$apt_calls"
    # The end-to-end run names the same reason for its fall-back.
    # shellcheck source=scripts/lib/wine.sh
    source "$root/scripts/lib/wine.sh"
    compplace_choose_build
    [[ $compplace_build == "build/windows-x64, the 64-bit fall-back: apt-get cannot install wine32:i386: E: Unable"* ]]
}

@test "an amd64 package that cannot be installed ends the step with its name and apt's words, at the first try" {
    stub apt-get 'echo "$*" >>"'"$apt_calls"'"
[[ $1 == install ]] && { echo "E: Unable to locate package foo-tools"; exit 100; }; exit 0'
    run compplace_install_packages
    [ "$status" -eq 1 ]
    [[ $output == *"Cannot install foo-tools: E: Unable to locate package foo-tools" ]]
    [ "$(grep -c '^install' "$apt_calls")" -eq 1 ]
}

# An apt-get whose first $1 installs fail as on a network that is down.
stub_apt_network_down() {
    stub apt-get 'echo "$*" >>"'"$apt_calls"'"
[[ $1 == install ]] || exit 0
(($(grep -c "^install" "'"$apt_calls"'") > '"$1"')) && exit 0
echo "Err:1 http://deb.debian.org/debian bookworm/main amd64 foo-tools all 1.0-1"
echo "  Temporary failure resolving deb.debian.org"
echo "E: Failed to fetch http://deb.debian.org/debian/pool/main/f/foo-tools/foo-tools_1.0-1_all.deb  Temporary failure resolving deb.debian.org"
echo "E: Unable to fetch some archives, maybe run apt-get update or try with --fix-missing?"
exit 100'
    # sleep says how long it was asked to wait.
    stub sleep 'echo "$1" >>"'"$BATS_TEST_TMPDIR"'/pauses"'
    COMPPLACE_APT_PAUSE=7
    COMPPLACE_WINE32_LOADER=/bin/true  # no wine32 to install
}

@test "an install that fails on the network is tried again after the pause" {
    stub_apt_network_down 2
    run compplace_install_packages
    [ "$status" -eq 0 ]
    [ "$(grep -c '^install -y -q --no-install-recommends foo-tools$' "$apt_calls")" -eq 3 ]
    [ "$(paste -sd' ' "$BATS_TEST_TMPDIR/pauses")" = "7 7" ]
    [[ $output == *"apt-get install failed (try 2 of 3), trying again in 7s: Err:1 http://deb.debian.org/debian bookworm/main amd64 foo-tools all 1.0-1 E: Failed to fetch"* ]]
}

@test "an install that fails on the network three times ends the step with its name and apt's words" {
    stub_apt_network_down 3
    run compplace_install_packages
    [ "$status" -eq 1 ]
    [ "$(grep -c '^install' "$apt_calls")" -eq 3 ]
    [ "$(paste -sd' ' "$BATS_TEST_TMPDIR/pauses")" = "7 7" ]
    [ "${lines[-1]}" = "Cannot install foo-tools: Err:1 http://deb.debian.org/debian bookworm/main amd64 foo-tools all 1.0-1 E: Failed to fetch http://deb.debian.org/debian/pool/main/f/foo-tools/foo-tools_1.0-1_all.deb  Temporary failure resolving deb.debian.org E: Unable to fetch some archives, maybe run apt-get update or try with --fix-missing?" ]
}

@test "without root, missing packages give the one sudo command to run" {
    stub id 'echo 1000'
    run compplace_install_packages
    [ "$status" -eq 1 ]
    [ "${lines[1]}" = "  sudo sh -c 'dpkg --add-architecture i386 && apt-get update && apt-get install -y --no-install-recommends foo-tools wine32:i386'" ]
    [ ! -e "$apt_calls" ]
}
