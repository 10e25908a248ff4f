# Helpers for running the real program on a private X server (Xvfb); sourced
# by the end-to-end tests, the screenshot script and the Wine runner.
#   start_xvfb             starts a private X server and points DISPLAY at it
#   start_window COMMAND...  starts Xvfb and the program, waits until its
#                          window is drawn
#   window_id, window_x, window_y, window_width, window_height   after that
#   stop_window            closes the window as its close button does and
#                          ends the X server (also run on exit); fails, showing
#                          what the program said, when the program had ended
#                          by itself, does not end within 10 s of the close or
#                          ends with a status other than 0 (a sanitizer's
#                          report at the end among the causes)
#   compare_picture ACTUAL REFERENCE NAME   within a small tolerance
#   check DESCRIPTION ACTUAL EXPECTED       a test's check; failures counts them
#   program_command PROGRAM | --wine PREFIX EXE   the command that starts the
#                          program, in `command`, with the Wine prefix made
#                          where asked; `given` counts the arguments it took
#   wine_prefix DIRECTORY  makes a Wine prefix there, once, and uses it
#   wine_dpi DPI           sets the resolution that prefix shows at, in dots an inch

start_xvfb() {
    local displayfile
    displayfile=$(mktemp)
    xvfb_log=$(mktemp)
    # Xvfb picks a free display itself and writes its number once it is ready.
    # It must not reset when its last client leaves: a window being polled for
    # (xwininfo comes and goes) would otherwise lose its connection as it opens.
    # shellcheck disable=SC2086
    Xvfb -displayfd 3 -noreset -screen 0 800x600x24 ${VARVIK_XVFB_ARGS:-} -nolisten tcp 3>"$displayfile" \
        >"$xvfb_log" 2>&1 &
    xvfb_pid=$!
    trap stop_window EXIT
    for _ in $(seq 300); do
        [[ -s "$displayfile" ]] && break
        sleep 0.1
    done
    [[ -s "$displayfile" ]] || { echo "Xvfb did not start:" >&2; cat "$xvfb_log" >&2; return 1; }
    export DISPLAY=":$(head -n 1 "$displayfile")"
    rm -f "$displayfile"
}

start_window() {
    [[ -n "${xvfb_pid:-}" ]] || start_xvfb || return 1
    program_log=$(mktemp)
    QT_QPA_PLATFORM=xcb "$@" >"$program_log" 2>&1 &
    program_pid=$!
    local info=""
    for _ in $(seq 600); do
        info=$(xwininfo -name "Varvik v1.4.1" 2>/dev/null) && grep -q 'Map State: IsViewable' <<<"$info" && break
        info=""
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -n "$info" ]] || { window_failed "the window did not appear on $DISPLAY"; return 1; }
    window_id=$(sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
    window_x=$(sed -n 's/.*Absolute upper-left X: *\([0-9-]*\).*/\1/p' <<<"$info")
    window_y=$(sed -n 's/.*Absolute upper-left Y: *\([0-9-]*\).*/\1/p' <<<"$info")
    window_width=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
    window_height=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")

    # Mapped is not yet drawn: wait until the key box shows its light yellow
    # (at (200, 140) of 366 x 263, whatever the display's scale). Both windows
    # put a whole frame on the screen at once, so the yellow means the rest is
    # there too.
    local probe drawn=""
    probe=$(mktemp --suffix=.png)
    for _ in $(seq 100); do
        import -window root -crop "1x1+$((window_x + window_width * 200 / 366))+$((window_y + window_height * 140 / 263))" \
            +repage "$probe" 2>/dev/null &&
            [[ "$(convert "$probe" -format '%[hex:p{0,0}]' info: 2>/dev/null | cut -c1-6)" == FFFF80 ]] && drawn=1 && break
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.2
    done
    rm -f "$probe"
    [[ -n "$drawn" ]] || { window_failed "the window appeared on $DISPLAY but its key box was never drawn"; return 1; }
}

# Says why the window is not there, with what the program and the X server
# said, and ends the program.
window_failed() {
    echo "$1; the program said:" >&2
    cat "$program_log" >&2
    echo "and the X server said:" >&2
    cat "$xvfb_log" >&2
    kill "$program_pid" 2>/dev/null || true
    program_pid=""
}

stop_window() {
    local ok=1
    if [[ -n "${program_pid:-}" ]]; then
        if ! kill -0 "$program_pid" 2>/dev/null; then
            echo "the program ended before it was closed; it said:" >&2
            cat "$program_log" >&2
            ok=""
        else
            close_window || ok=""
        fi
    fi
    # Wine's processes go before the X server they draw on.
    [[ -z "${WINEPREFIX:-}" ]] || wineserver -k 2>/dev/null || true
    [[ -z "${xvfb_pid:-}" ]] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -f "${program_log:-}" "${xvfb_log:-}"
    program_pid="" xvfb_pid="" program_log="" xvfb_log=""
    [[ -n "$ok" ]]
}

# The window's client area as a PNG.
capture_window() {
    import -window root -crop "${window_width}x${window_height}+${window_x}+${window_y}" +repage "$1"
}

# Asks the window to close, as a window manager's close button does, and
# waits for the program to end by itself. How soon it ends is measured in
# bench/close_time.sh, not here: on a busy machine or under a sanitizer, that
# takes what it takes.
close_window() {
    local status=0 _
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/close_window.py" "$window_id"
    for _ in $(seq 100); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "the program still ran 10 s after its window was closed; it said:" >&2
        cat "$program_log" >&2
        kill -9 "$program_pid" 2>/dev/null || true
        program_pid=""
        return 1
    fi
    wait "$program_pid" || status=$?
    program_pid=""
    if ((status != 0)); then
        echo "the program ended with status $status after its window was closed; it said:" >&2
        cat "$program_log" >&2
        return 1
    fi
}

check() {
    if [[ "$2" == "$3" ]]; then
        echo "ok: $1"
    else
        echo "FAIL: $1: got '$2', expected '$3'"
        failures=$((failures + 1))
    fi
}

# A capture of the whole window against its reference, in brightness: at
# most 4 pixels may differ by more than 15 %. A font library's update that
# shades the edges of letters a little otherwise, or in colour (subpixel
# rendering), stays within that; a heading in regular for bold (13 pixels), a
# control moved by one pixel (51) or a missing background do not. The inside
# of FV, where the window opens with the keyboard, is left out: its caret
# blinks. On a difference the capture and a picture of the difference are
# left in the working directory (a test's own folder in the build tree),
# named after NAME.
compare_picture() {
    local differing grey caret
    grey=$(mktemp -d)
    # FV's inside at the window's scale: 53 x 21 from (18, 50) at 366 x 263.
    caret=$(identify -format '%w' "$2" | awk '{ s = $1 / 366; printf "rectangle %d,%d %d,%d", 18 * s, 50 * s, 71 * s, 71 * s }')
    convert "$1" -colorspace Gray -fill black -draw "$caret" "$grey/actual.png"
    convert "$2" -colorspace Gray -fill black -draw "$caret" "$grey/reference.png"
    differing=$(compare -metric AE -fuzz 15% "$grey/actual.png" "$grey/reference.png" null: 2>&1) || true
    rm -rf "$grey"
    if [[ "$differing" =~ ^[0-9]+$ ]] && ((differing <= 4)); then
        echo "ok: $3 is $(basename "$2") ($differing pixels apart)"
        return 0
    fi
    cp "$1" "$PWD/$3.png"
    compare "$1" "$2" "$PWD/$3-difference.png" >/dev/null 2>&1 || true
    echo "FAIL: $3 differs from $2 ($differing pixels by more than 15 % in brightness); see $PWD/$3.png and $PWD/$3-difference.png"
    return 1
}

program_command() {
    if [[ "$1" == --wine ]]; then
        wine_prefix "$2"
        command=(wine "$3")
        given=3
    else
        command=("$1")
        given=1
    fi
}

# A Wine prefix of the caller's own, made on first use, with Wine's own
# Windows fonts ("MS Sans Serif" among them) where Windows keeps its fonts:
# Debian's Wine does not look for them where its fonts-wine package puts them.
wine_prefix() {
    WINEPREFIX=$(realpath -m "$1")
    export WINEPREFIX WINEARCH=win64
    export WINEDEBUG=${VARVIK_WINEDEBUG:--all}
    # No Mono or Gecko: nothing here needs them, and Wine would offer to fetch them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [[ -f "$WINEPREFIX/system.reg" ]] && exit 0
        # Made aside and moved into place only whole: a set-up that breaks
        # off leaves no half a prefix for the next test to fail in, and says
        # what Wine said. Once, on a busy machine, Wine's own set-up broke
        # off after 4 s: it gets a second try.
        local making=$WINEPREFIX.making fonts font try
        for try in 1 2; do
            rm -rf "$making"
            { WINEPREFIX=$making WINEDEBUG=fixme-all wineboot --init && WINEPREFIX=$making wineserver -w; } \
                >"$making.log" 2>&1 && grep -q '"ProductName"' "$making/system.reg" && break
            echo "Wine did not set up the prefix $WINEPREFIX (try $try); it said:" >&2
            cat "$making.log" >&2
            WINEPREFIX=$making wineserver -k >/dev/null 2>&1 || true
            ((try < 2)) || exit 1
        done
        fonts="$making/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        for font in /usr/share/wine/fonts/*; do
            [[ -e "$fonts/$(basename "$font")" ]] || ln -s "$font" "$fonts/"
        done
        rm -rf "$WINEPREFIX" "$making.log"
        mv "$making" "$WINEPREFIX"
    ) 9>"$WINEPREFIX.lock"
}

# The display's resolution in the Wine prefix in use, as Windows keeps it
# (Control Panel, Desktop, LogPixels); Wine reads it when its server starts.
wine_dpi() {
    grep -qx "\"LogPixels\"=dword:$(printf %08x "$1")" "$WINEPREFIX/user.reg" 2>/dev/null && return 0
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
        { echo "Wine did not take $1 dots an inch in $WINEPREFIX" >&2; return 1; }
    wineserver -w
}
