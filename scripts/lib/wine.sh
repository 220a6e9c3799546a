# shellcheck shell=bash
# Wine and display set-up shared by tests/e2e/run, scripts/demo and scripts/bench.
# Sourced; expects $root (the repository) to be set.
#
# The 64-bit build runs under Wine here: this machine's kernel cannot run
# 32-bit code, so only 64-bit Wine works. It is the same source as the
# 32-bit product, built by the windows-x64 preset.

export WINEARCH=win64
export WINEPREFIX=${root:?}/build/wine-prefix
export WINEDEBUG=-all
# No Mono or Gecko install prompts when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

compplace_xvfb_pid=

# Starts Xvfb on the first free display from :95 and exports DISPLAY.
# $1: a file for its output.
compplace_start_xvfb() {
    local n log=$1
    for n in $(seq 95 130); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
        compplace_xvfb_pid=$!
        for _ in $(seq 50); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=:$n
                return 0
            fi
            kill -0 "$compplace_xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$compplace_xvfb_pid" 2>/dev/null
        wait "$compplace_xvfb_pid" 2>/dev/null
        compplace_xvfb_pid=
    done
    echo "could not start Xvfb on any display from :95 to :130" >&2
    return 1
}

# Lets the Wine processes of the prefix end (the server lingers a few
# seconds after its last client), then stops the Xvfb started above.
compplace_stop_display() {
    timeout 20 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null
    if [[ -n $compplace_xvfb_pid ]]; then
        kill "$compplace_xvfb_pid" 2>/dev/null
        wait "$compplace_xvfb_pid" 2>/dev/null
        compplace_xvfb_pid=
    fi
}

# Creates the prefix when it is missing. $1: a file for wineboot's output.
compplace_prepare_prefix() {
    local log=$1 font
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "Creating the Wine prefix $WINEPREFIX"
        wineboot -i >"$log" 2>&1 || {
            echo "wineboot failed, see $log" >&2
            return 1
        }
    fi
    # Wine's own fonts (the caption buttons' glyphs, Tahoma, MS Sans Serif)
    # are found only in the prefix's font folder.
    for font in /usr/share/wine/fonts/*; do
        [[ -e $font && ! -e $WINEPREFIX/drive_c/windows/Fonts/${font##*/} ]] &&
            ln -s "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    compplace_set_dpi 96
}

# $1: dots per inch; 96 is 100 %, 144 is 150 %.
compplace_set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# $1: Y when a window manager frames the windows, N when Wine draws the
# frames itself (Xvfb has no window manager).
compplace_set_managed() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1
}

# Saves a picture of the dialog's window. $1: driver exe, $2: the file.
compplace_screenshot() {
    local driver=$1 file=$2 rect wx wy ww wh
    rect=$(wine "$driver" -e "wait-window 1000" -e "window-rect" 2>/dev/null |
        tr -d '\r' | sed -n 's/.*-> window \([-0-9]*\),\([-0-9]*\) \([0-9]*\)x\([0-9]*\) client.*/\1 \2 \3 \4/p')
    [[ -n $rect ]] || return 1
    read -r wx wy ww wh <<<"$rect"
    # A window partly off the screen is cut to what shows.
    ((wx < 0)) && ww=$((ww + wx)) && wx=0
    ((wy < 0)) && wh=$((wh + wy)) && wy=0
    import -display "$DISPLAY" -window root -crop "${ww}x${wh}+${wx}+${wy}" +repage "$file"
}
