#!/usr/bin/env bats
# The display, the registry and the build choice, and the error trap every
# script runs under, driven through stub commands.
# Stub bodies are single-quoted on purpose, root and stubs come from
# helpers.bash, the functions a test redefines are called by the code under
# test, and each test runs in a subshell of its own, so what one sets is not
# seen by another:
# shellcheck disable=SC2016,SC2154,SC2317,SC2030,SC2031

load helpers

setup() {
    setup_stubs
    # shellcheck source=scripts/lib/wine.sh
    source "$root/scripts/lib/wine.sh"
    # Stub displays: xdpyinfo answers for any display whose stub Xvfb runs.
    stub xdpyinfo '[[ -e '"$BATS_TEST_TMPDIR"'/display${2#:} ]]'
}

# A script file that starts the display under set -e as the scripts do, and
# says which display it got.
write_display_script() {
    cat >"$BATS_TEST_TMPDIR/display.sh" <<EOF
root=$root
cd "\$root"
source scripts/lib/errors.sh
source scripts/lib/wine.sh
compplace_step "a display"
compplace_start_xvfb "$BATS_TEST_TMPDIR/xvfb.log"
echo "display \$DISPLAY"
kill \$compplace_xvfb_pid
EOF
}

@test "Xvfb that fails on the first display leads to the next one" {
    stub Xvfb '
if [[ $1 == :95 ]]; then exit 1; fi
touch '"$BATS_TEST_TMPDIR"'/display${1#:}
exec sleep 30'
    write_display_script
    run bash "$BATS_TEST_TMPDIR/display.sh"
    [ "$status" -eq 0 ]
    [ "${lines[-1]}" = "display :96" ]
}

@test "Xvfb that always fails ends the script with a line that names the step" {
    stub Xvfb 'exit 1'
    write_display_script
    run bash "$BATS_TEST_TMPDIR/display.sh"
    [ "$status" -eq 1 ]
    [[ $output == *"could not start Xvfb on any display from :95 to :130"* ]]
    [[ ${lines[-1]} == 'FAILED in step "a display": `compplace_start_xvfb '*'` exited with status 1 ('*'display.sh, line 6); '* ]]
}

@test "stopping the display after a passing run keeps it passing" {
    stub wineserver 'exit 1'
    run bash -c "
source '$root/scripts/lib/errors.sh'
root='$root'
source '$root/scripts/lib/wine.sh'
trap compplace_stop_display EXIT
sleep 0 & compplace_xvfb_pid=\$!
wait
echo done"
    [ "$status" -eq 0 ]
    [ "$output" = "done" ]
}

@test "a registry value that cannot be set is said and fails" {
    stub fake-wine 'echo "reg: Unable to access key" >&2; exit 1'
    compplace_loader=$stubs/fake-wine
    run compplace_set_dpi 144
    [ "$status" -eq 1 ]
    [ "$output" = 'cannot set the registry value HKCU\Control Panel\Desktop\LogPixels to 144: reg: Unable to access key' ]
}

@test "the 32-bit loader missing falls back to the 64-bit build and says why" {
    COMPPLACE_WINE32_LOADER=$BATS_TEST_TMPDIR/none
    compplace_kernel_runs_i386() { return 0; }
    compplace_choose_build
    [ "$compplace_bin" = "$root/build/windows-x64" ]
    [ "$compplace_build" = "build/windows-x64, the 64-bit fall-back: the 32-bit Wine loader $BATS_TEST_TMPDIR/none is not installed (package wine32:i386; scripts/test installs it as root)" ]
    compplace_kernel_runs_i386() { compplace_i386_probe="status 126"; return 1; }
    compplace_choose_build
    [ "$compplace_build" = "build/windows-x64, the 64-bit fall-back: this kernel runs no 32-bit code: status 126" ]
}

@test "a 32-bit loader that is there but does not start falls back to the 64-bit build and says why" {
    stub wine32 'echo "wine32: cannot run" >&2; exit 1'
    COMPPLACE_WINE32_LOADER=$stubs/wine32
    compplace_kernel_runs_i386() { return 0; }
    compplace_choose_build
    [ "$compplace_bin" = "$root/build/windows-x64" ]
    [ "$compplace_loader" = "$COMPPLACE_WINE64_LOADER" ]
    [ "$compplace_build" = "build/windows-x64, the 64-bit fall-back: the 32-bit Wine loader $stubs/wine32 does not start" ]
    compplace_kernel_runs_i386() { compplace_i386_probe="status 126"; return 1; }
    compplace_choose_build
    [ "$compplace_build" = "build/windows-x64, the 64-bit fall-back: the 32-bit Wine loader $stubs/wine32 does not start; this kernel runs no 32-bit code: status 126" ]
    # The same loader once it starts runs the product.
    stub wine32 'echo wine-8.0'
    compplace_choose_build
    [ "$compplace_bin" = "$root/build/windows" ]
    [ "$compplace_loader" = "$stubs/wine32" ]
    [ "$compplace_build" = "build/windows (32-bit)" ]
}

@test "a failing command inside \$(...) is reported once, with the step" {
    run bash -c "
source '$root/scripts/lib/errors.sh'
compplace_step 'counting'
n=\$(false)
echo not reached"
    [ "$status" -eq 1 ]
    [ "$(grep -c FAILED <<<"$output")" -eq 1 ]
    [[ ${lines[-1]} == 'FAILED in step "counting": `n=$(false)` exited with status 1 '* ]]
}
