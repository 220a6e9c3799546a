# shellcheck shell=bash disable=SC2034  # variables for the scripts that source this
# Wine and display set-up shared by tests/e2e/run, scripts/demo and scripts/bench.
# Sourced; expects $root (the repository) to be set.
#
# The product is the 32-bit build (build/windows), run by Wine's 32-bit
# loader in a 64-bit (WoW64) prefix. Where that loader is missing or the
# kernel runs no 32-bit code, the 64-bit build of the same sources
# (build/windows-x64) runs under the 64-bit loader instead, and
# compplace_choose_build says why.
#
# Every Wine call goes through compplace_wine or compplace_wineserver with a
# time limit, so a hung program fails its run instead of stalling it.
#
# On a display these scripts started, every Wine program of the run joins one
# session that stays up from compplace_prepare_prefix to
# compplace_stop_display (see compplace_start_session): none starts while the
# session of the one before is ending.

# Also sets COMPPLACE_WINE64_LOADER, the 64-bit loader, where it lists the
# package that brings it.
source "${root:?}/scripts/lib/packages.sh"

export WINEARCH=win64
export WINEPREFIX=$root/build/wine-prefix
# Wine's own messages are off; WINEDEBUG=err+all in the environment shows its errors.
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

compplace_xvfb_pid=
# Set by compplace_choose_build, read by the scripts that source this file.
compplace_bin=
compplace_loader=
compplace_build=

# Picks the build to run and the loader for its programs: compplace_bin (its
# folder), compplace_loader, and compplace_build, which names both (and, for
# the fall-back, why) for the one line each run prints.
compplace_choose_build() {
    local why=
    if [[ ! -x $COMPPLACE_WINE32_LOADER ]]; then
        if [[ -n $COMPPLACE_WINE32_UNAVAILABLE ]]; then
            why=$COMPPLACE_WINE32_UNAVAILABLE
        elif compplace_kernel_runs_i386; then
            why="the 32-bit Wine loader $COMPPLACE_WINE32_LOADER is not installed (package wine32:i386; scripts/test installs it as root)"
        else
            why="this kernel runs no 32-bit code: $compplace_i386_probe"
        fi
    elif ! timeout 20 "$COMPPLACE_WINE32_LOADER" --version >/dev/null 2>&1; then
        why="the 32-bit Wine loader $COMPPLACE_WINE32_LOADER does not start"
        if ! compplace_kernel_runs_i386; then
            why="$why; this kernel runs no 32-bit code: $compplace_i386_probe"
        fi
    fi
    if [[ -z $why ]]; then
        compplace_bin=$root/build/windows
        compplace_loader=$COMPPLACE_WINE32_LOADER
        compplace_build="build/windows (32-bit)"
    else
        compplace_bin=$root/build/windows-x64
        compplace_loader=$COMPPLACE_WINE64_LOADER
        compplace_build="build/windows-x64, the 64-bit fall-back: $why"
    fi
}

# compplace_wine SECONDS PROGRAM [ARGUMENTS...]: runs a Windows program (or a
# Wine tool such as reg) under the chosen loader, stopped after SECONDS.
compplace_wine() {
    local seconds=$1
    shift
    timeout -k 5 "$seconds" "${compplace_loader:?compplace_choose_build first}" "$@"
}

# compplace_wineserver SECONDS ARGUMENTS...: the prefix's server, time-limited.
compplace_wineserver() {
    local seconds=$1
    shift
    timeout -k 5 "$seconds" wineserver "$@"
}

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
        # It may have died already: then neither kill nor wait succeeds.
        kill "$compplace_xvfb_pid" 2>/dev/null || true
        wait "$compplace_xvfb_pid" 2>/dev/null || true
        compplace_xvfb_pid=
    done
    echo "could not start Xvfb on any display from :95 to :130" >&2
    return 1
}

# The prefix's Wine session, kept up for the whole run. Debian's wineserver
# ends a session as soon as its last program has ended (it runs with -p0),
# and the end takes seconds: a second later the desktop closes, then the
# services are told to stop, then whatever is left is killed and the server
# exits. A program started meanwhile, as the next reg, driver or program of
# a script is, joins a session that is going away: it waits for services
# that do not start again ("Failed to start RpcSs service"), or a program it
# starts ends before it has started (reg: "ShellExecuteEx failed: Internal
# error"). And each new session boots again (wineboot --init starts the
# services), seconds on a busy machine. So the server is started here to
# stay (-p: it keeps running with no program left) and booted at once;
# every later program joins that session, and compplace_end_session ends it.
# $1: a file for what the server and the boot say.
compplace_start_session() {
    local log=$1
    # A session left by a run that was killed may serve a display that is gone.
    compplace_end_session
    if ! compplace_wineserver 10 -p </dev/null >>"$log" 2>&1; then
        echo "cannot start the Wine server for $WINEPREFIX, see $log" >&2
        return 1
    fi
    # The first program of a session waits until wineboot has started the
    # services, which can take a minute on a busy machine. The services keep
    # the output they were given open for as long as the session lasts: a
    # file, not a pipe.
    if ! compplace_wine 300 reg query HKCU </dev/null >>"$log" 2>&1; then
        echo "the Wine session did not start, see $log" >&2
        return 1
    fi
}

# Ends the prefix's session, if one runs, and waits until its server has
# exited (it saves the registry first). Always succeeds.
compplace_end_session() {
    compplace_wineserver 20 -k 2>/dev/null || true  # fails when no server runs
    compplace_wineserver 20 -w 2>/dev/null || true
}

# Ends the Wine session, then stops the Xvfb started above. Run from EXIT
# traps: it always succeeds, so that it never changes how the run ended (no
# server running, or an Xvfb that died, is nothing to report).
compplace_stop_display() {
    compplace_end_session
    if [[ -n $compplace_xvfb_pid ]]; then
        kill "$compplace_xvfb_pid" 2>/dev/null || true
        wait "$compplace_xvfb_pid" 2>/dev/null || true
        compplace_xvfb_pid=
    fi
    return 0
}

# The loaders the prefix is made for, as recorded in its marker file.
compplace_prefix_loaders() {
    local loaders=wine64
    [[ $compplace_loader == "$COMPPLACE_WINE32_LOADER" ]] && loaders="wine32 wine64"
    echo "$loaders"
}

# True when the prefix serves the chosen loader: it was made by these scripts
# for the same loaders (a prefix made before wine32 was installed has no
# 32-bit system folder, and every 32-bit program then fails to load
# kernel32.dll), and its system folders are there.
compplace_prefix_fits() {
    [[ -f $WINEPREFIX/system.reg && -f $WINEPREFIX/compplace-loaders ]] || return 1
    [[ $(<"$WINEPREFIX/compplace-loaders") == "$(compplace_prefix_loaders)" ]] || return 1
    [[ -f $WINEPREFIX/drive_c/windows/system32/kernel32.dll ]] || return 1
    if [[ $compplace_loader == "$COMPPLACE_WINE32_LOADER" ]]; then
        [[ -f $WINEPREFIX/drive_c/windows/syswow64/kernel32.dll ]] || return 1
    fi
}

# Creates the prefix when it is missing or cannot serve the chosen loader.
# On a display started by compplace_start_xvfb, whose EXIT trap ends the
# session with it, the session is then started to stay for the run.
# $1: a file for wineboot's output.
compplace_prepare_prefix() {
    local log=$1 font
    if ! compplace_prefix_fits; then
        if [[ -e $WINEPREFIX ]]; then
            echo "The Wine prefix $WINEPREFIX does not serve $(compplace_prefix_loaders): making it anew"
            compplace_end_session
            rm -rf "$WINEPREFIX"
        fi
        echo "Creating the Wine prefix $WINEPREFIX"
        # The 64-bit wineboot sets up both system folders of a WoW64 prefix.
        if ! timeout -k 5 300 "$COMPPLACE_WINE64_LOADER" wineboot -i >"$log" 2>&1 ||
            ! compplace_wineserver 60 -w; then
            echo "wineboot failed, see $log" >&2
            return 1
        fi
        compplace_prefix_loaders >"$WINEPREFIX/compplace-loaders"
        if ! compplace_prefix_fits; then
            echo "the new prefix lacks a system folder for $(compplace_prefix_loaders), see $log" >&2
            return 1
        fi
    fi
    # Wine's own fonts (the caption buttons' glyphs, Tahoma, MS Sans Serif)
    # are found only in the prefix's font folder.
    for font in /usr/share/wine/fonts/*; do
        [[ -e $font && ! -e $WINEPREFIX/drive_c/windows/Fonts/${font##*/} ]] &&
            ln -s "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    if [[ -n $compplace_xvfb_pid ]]; then
        compplace_start_session "$log" || return 1
    fi
    compplace_set_dpi 96
}

# compplace_reg_add KEY VALUE-NAME TYPE DATA: one registry value, overwritten.
# A value that cannot be set is said, with reg's own words (the last lines
# of what Wine and reg wrote), and fails. What reg writes goes to a file, not
# to a pipe read to its end: when reg is the first program of a session, the
# services that it boots keep its output open for as long as the session
# lasts.
compplace_reg_add() {
    local said status=0
    said=$(mktemp)
    compplace_wine 30 reg add "$1" /v "$2" /t "$3" /d "$4" /f </dev/null >"$said" 2>&1 || status=$?
    if ((status != 0)); then
        echo "cannot set the registry value $1\\$2 to $4: $(tr -d '\r' <"$said" | sed '/^$/d' | tail -n 4 | paste -sd' ' -)" >&2
    fi
    rm -f "$said"
    [[ $status == 0 ]] || return 1
}

# $1: dots per inch; 96 is 100 %, 144 is 150 %.
compplace_set_dpi() {
    compplace_reg_add 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$1"
}

# $1: Y when a window manager frames the windows, N when Wine draws the
# frames itself (Xvfb has no window manager).
compplace_set_managed() {
    compplace_reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ "$1"
}

# Saves a picture of the dialog's window. $1: driver exe, $2: the file.
compplace_screenshot() {
    local driver=$1 file=$2 said rect wx wy ww wh
    # The driver's answer goes to a file, as reg's does (compplace_reg_add).
    said=$(mktemp)
    compplace_wine 30 "$driver" -e "wait-window 1000" -e "window-rect" </dev/null >"$said" 2>/dev/null ||
        true  # then there is no rectangle
    rect=$(tr -d '\r' <"$said" |
        sed -n 's/.*-> window \([-0-9]*\),\([-0-9]*\) \([0-9]*\)x\([0-9]*\) client.*/\1 \2 \3 \4/p')
    rm -f "$said"
    [[ -n $rect ]] || return 1
    read -r wx wy ww wh <<<"$rect"
    # A window partly off the screen is cut to what shows.
    ((wx < 0)) && ww=$((ww + wx)) && wx=0
    ((wy < 0)) && wh=$((wh + wy)) && wy=0
    import -display "$DISPLAY" -window root -crop "${ww}x${wh}+${wx}+${wy}" +repage "$file"
}
