#!/usr/bin/env bats
# How scripts/demo ends when the dialog does not show or does not close. It
# runs from a copy of the repository whose package step and Wine set-up are
# stubs, with a stub cmake and a stub Wine loader that plays the program and
# the test driver.
# Stub bodies are single-quoted on purpose, root, stubs and repo come from
# helpers.bash:
# shellcheck disable=SC2016,SC2154

load helpers

setup() {
    setup_stubs
    repository_with scripts/demo scripts/lib/errors.sh sim/sample_design.txt sim/sample_placement.pos
    echo 'compplace_install_packages() { :; }' >"$repo/scripts/lib/packages.sh"
    cat >"$repo/scripts/lib/wine.sh" <<EOF
compplace_choose_build() {
    compplace_bin=\$root/build/windows compplace_loader=$stubs/wine compplace_build="build/windows (32-bit)"
}
compplace_wine() { shift; "\$compplace_loader" "\$@"; }
compplace_start_xvfb() { export DISPLAY=:99; }
compplace_stop_display() { :; }
compplace_prepare_prefix() { :; }
compplace_set_managed() { :; }
compplace_screenshot() { :; }
EOF
    stub cmake ':'
    # The loader: compplace.exe stays until it is stopped; the driver's
    # "wait-window 30000" and "close" succeed when APPEARS and CLOSES are 1.
    stub wine '
case "$*" in
    *compplace.exe*) exec sleep 30 ;;
    *"wait-window 30000"*) ((APPEARS)) ;;
    *close*) ((CLOSES)) ;;
esac'
}

@test "a dialog that never appears fails the demo, which says so last" {
    APPEARS=0 run env -u DISPLAY "$repo/scripts/demo"
    [ "$status" -eq 1 ]
    [[ $output == *"The dialog did not appear within 30 s; stopping the program."* ]]
    [ "${lines[-1]}" = "FAILED: the dialog did not appear within 30 s (build/windows/compplace.exe; the calls above show how far it got)" ]
}

@test "a dialog that does not close on Xvfb fails the demo" {
    APPEARS=1 CLOSES=0 run env -u DISPLAY "$repo/scripts/demo"
    [ "$status" -eq 1 ]
    [ "${lines[-1]}" = "FAILED: the dialog did not close when asked to (build/windows/compplace.exe; the calls above show how far it got)" ]
}

@test "a dialog that appears and closes ends the demo well, with the component after" {
    stub wine '[[ $* != *compplace.exe* ]] || exit 0'
    run env -u DISPLAY "$repo/scripts/demo"
    [ "$status" -eq 0 ]
    [[ $output == *"Closed the dialog (nobody can use it on Xvfb)."* ]]
    [[ $output == *"== After
  U12 at (254000, 127000) units = (2.540 mm, 1.270 mm), 90.0 degrees, flipped 0, fixed 0"* ]]
}
