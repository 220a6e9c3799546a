#!/usr/bin/env bats
# The Wine prefix and its session: a prefix made anew when it does not fit,
# a wineboot that fails, the one session of a run on a display of its own,
# and registry values set without waiting for what reg leaves running.
# Driven through stub commands: a 64-bit loader and wineserver that log
# their arguments.
# Stub bodies are single-quoted on purpose, and root and stubs come from
# helpers.bash:
# shellcheck disable=SC2016,SC2154

load helpers

setup() {
    setup_stubs
    # shellcheck source=scripts/lib/wine.sh
    source "$root/scripts/lib/wine.sh"
    WINEPREFIX=$BATS_TEST_TMPDIR/prefix
    calls=$BATS_TEST_TMPDIR/calls
    log=$BATS_TEST_TMPDIR/wineboot.log
    # wineboot -i makes the folders and files of a 64-bit prefix; WINEBOOT
    # set to a status makes it fail with that status instead.
    stub wine64 '
echo "wine64 $*" >>"'"$calls"'"
if [[ $1 == wineboot ]]; then
    if [[ -n ${WINEBOOT:-} ]]; then echo "wineboot: cannot make the prefix" >&2; exit "$WINEBOOT"; fi
    mkdir -p "$WINEPREFIX/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/Fonts"
    touch "$WINEPREFIX/system.reg" "$WINEPREFIX/drive_c/windows/system32/kernel32.dll"
fi'
    stub wineserver 'echo "wineserver $*" >>"'"$calls"'"'
    COMPPLACE_WINE64_LOADER=$stubs/wine64
    # The 64-bit fall-back is the build chosen.
    compplace_loader=$stubs/wine64
}

# A prefix as these scripts made it for both loaders, with a file of its own.
prefix_for_both_loaders() {
    mkdir -p "$WINEPREFIX/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/syswow64" \
        "$WINEPREFIX/drive_c/windows/Fonts"
    touch "$WINEPREFIX/system.reg" "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" \
        "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" "$WINEPREFIX/made-before"
    echo "wine32 wine64" >"$WINEPREFIX/compplace-loaders"
}

@test "a prefix made for other loaders is said to be made anew, and is" {
    prefix_for_both_loaders
    run compplace_prepare_prefix "$log"
    [ "$status" -eq 0 ]
    [ "${lines[0]}" = "The Wine prefix $WINEPREFIX does not serve wine64: making it anew" ]
    [ "${lines[1]}" = "Creating the Wine prefix $WINEPREFIX" ]
    [ ! -e "$WINEPREFIX/made-before" ]
    [ "$(<"$WINEPREFIX/compplace-loaders")" = wine64 ]
    # The old prefix's server is stopped before the prefix is made anew.
    [ "$(head -n 1 "$calls")" = "wineserver -k" ]
    grep -qx 'wine64 wineboot -i' "$calls"
    grep -qx 'wine64 reg add HKCU\\Control Panel\\Desktop /v LogPixels /t REG_DWORD /d 96 /f' "$calls"
    # No display of its own: no session kept up after the run.
    run grep -x 'wineserver -p' "$calls"
    [ "$status" -eq 1 ]
}

@test "a wineboot that fails is said and fails the prefix" {
    prefix_for_both_loaders
    WINEBOOT=1 run compplace_prepare_prefix "$log"
    [ "$status" -eq 1 ]
    [ "${lines[0]}" = "The Wine prefix $WINEPREFIX does not serve wine64: making it anew" ]
    [ "${lines[-1]}" = "wineboot failed, see $log" ]
    grep -q 'wineboot: cannot make the prefix' "$log"
    run grep 'reg add' "$calls"
    [ "$status" -eq 1 ]
}

@test "on a display of its own the run's one session starts before the first program and ends with the display" {
    prefix_for_both_loaders
    echo wine64 >"$WINEPREFIX/compplace-loaders"
    sleep 30 &
    compplace_xvfb_pid=$!
    compplace_prepare_prefix "$log"
    compplace_stop_display
    [ -z "$compplace_xvfb_pid" ]
    # A session left over is ended, the server started to stay, booted
    # while nothing else runs, and stopped with the display.
    [ "$(cat "$calls")" = "wineserver -k
wineserver -w
wineserver -p
wine64 reg query HKCU
wine64 reg add HKCU\\Control Panel\\Desktop /v LogPixels /t REG_DWORD /d 96 /f
wineserver -k
wineserver -w" ]
}

@test "a registry value is set without waiting for what reg leaves running" {
    # A first program boots the session, whose services keep its output
    # open: here a child that says when it has ended.
    stub wine64 '
(sleep 30 & echo $! >"'"$BATS_TEST_TMPDIR"'/left"; wait; touch "'"$BATS_TEST_TMPDIR"'/ended") &
echo "reg: done"'
    compplace_set_dpi 144
    [ ! -e "$BATS_TEST_TMPDIR/ended" ]
    kill "$(<"$BATS_TEST_TMPDIR/left")"
}
