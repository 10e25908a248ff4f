#!/usr/bin/env bash
# The window on a Wayland desktop: a headless Weston, and Qt's Wayland
# platform. The real program must ask for at least 366 x 263 and for no
# largest size, so as to take whatever size the compositor gives, and survive
# a compositor that shows every window full screen; the window test's Wayland
# case then asks the compositor to maximise the window and to show it full
# screen, as Qt's title bar and a desktop do, and closes it. Last, on a
# Weston drawing into a private X server, the real program is typed into,
# maximised and shown full screen by Weston's own keys and its title bar's
# button, once and many times quickly, a key is held on a button, and it is
# closed by its title bar's button. The fields are read as a screen reader
# reads them, on a private session bus.
#   wayland.sh PROGRAM WINDOW_TEST
set -euo pipefail
# shellcheck source=../../../tests/helpers/private_session.sh
source "$(dirname "$0")/../../../tests/helpers/private_session.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
here=$(dirname "$0")
# shellcheck source=../../../tests/helpers/xvfb_window.sh
source "$here/../../../tests/helpers/xvfb_window.sh"
program=$1
window_test=$2
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston_pid=""
program_pid=""
xvfb_pid=""
finish() {
    [[ -z "$program_pid" ]] || kill "$program_pid" 2>/dev/null || true
    [[ -z "$weston_pid" ]] || kill "$weston_pid" 2>/dev/null || true
    [[ -z "$xvfb_pid" ]] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work" "${xvfb_log:-}"
}
trap finish EXIT
failures=0
# No on-screen keyboard: it would cover windows.
printf '[input-method]\npath=\n' >"$work/weston.ini"

start_weston() { # shell [backend and its options]
    local shell=$1
    shift
    (($#)) || set -- --backend=headless-backend.so --width=900 --height=700
    [[ -z "$weston_pid" ]] || { kill "$weston_pid"; wait "$weston_pid" 2>/dev/null || true; }
    rm -f "$XDG_RUNTIME_DIR/varvik"
    weston "$@" --shell="$shell" --socket=varvik --idle-time=0 --config="$work/weston.ini" \
        >"$work/weston.log" 2>&1 &
    weston_pid=$!
    for _ in $(seq 100); do
        [[ -S "$XDG_RUNTIME_DIR/varvik" ]] && return 0
        sleep 0.05
    done
    echo "Weston did not start:" >&2
    cat "$work/weston.log" >&2
    return 1
}
export WAYLAND_DISPLAY=varvik QT_QPA_PLATFORM=wayland
unset DISPLAY

# The real program: what it asks of the compositor, and its first picture.
check_program() { # what the compositor does
    WAYLAND_DEBUG=client "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    # It has drawn once the compositor has taken its first picture.
    for _ in $(seq 200); do
        grep -q 'wl_surface@[0-9]*\.commit()' "$work/program.log" && grep -q 'ack_configure' "$work/program.log" && break
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.05
    done
    local ok=1
    grep -q 'xdg_toplevel@[0-9]*\.set_min_size(366, 263)' "$work/program.log" || ok=0
    grep 'xdg_toplevel@[0-9]*\.set_max_size(' "$work/program.log" | grep -qv 'set_max_size(0, 0)' && ok=0
    grep -q 'wl_display@1\.error' "$work/program.log" && ok=0
    if ((ok)) && kill -0 "$program_pid" 2>/dev/null; then
        echo "ok: $1: the program asks for at least 366 x 263, for no largest size, and goes on"
    else
        echo "FAIL: $1: the program said:"
        grep -E 'set_(min|max)_size|configure|error' "$work/program.log" | tail -n 20
        failures=$((failures + 1))
    fi
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

start_weston desktop-shell.so
check_program "on a desktop"
if "$window_test" survivesWhatTheCompositorAsks >"$work/test.log" 2>&1 &&
    grep -q 'PASS   : Form1Test::survivesWhatTheCompositorAsks' "$work/test.log"; then
    echo "ok: maximised and full screen, the window goes on with its fields, and closes"
else
    echo "FAIL: the window under a compositor's requests:"
    cat "$work/test.log"
    failures=$((failures + 1))
fi

start_weston kiosk-shell.so
check_program "full screen from the start"

# Waits until a line of the program's log from line FROM on matches PATTERN;
# fails when the program ends first.
logged() { # from pattern
    local _
    for _ in $(seq 1200); do
        tail -n "+$1" "$work/program.log" | grep -q -- "$2" && return 0
        kill -0 "$program_pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}
# The next line of the program's log.
next_line() { echo $(($(wc -l <"$work/program.log") + 1)); }
# Whether the compositor last left the window normal: it then leaves the
# size to the window (0, 0); maximised or full screen it gives one.
normal() { grep 'xdg_toplevel@[0-9]*\.configure(' "$work/program.log" | tail -n 1 | grep -q 'configure(0, 0,'; }
start_xvfb
trap finish EXIT
start_weston desktop-shell.so --backend=x11-backend.so --use-pixman --width=780 --height=580
weston_window=$(xwininfo -name "Weston Compositor - screen0" | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
# Weston's own keys: the pointer rests on Weston's window, which so has the
# X server's keyboard.
xdotool mousemove --window "$weston_window" 5 300

# Clicks a button of the window's title bar (close, maximise), found from the
# key box's yellow (271 x 111 at 17, 137 of the window) once Weston shows the
# window: 14 and 37 pixels left of the window's right edge, 15 above its top.
# Maximised, the window spans Weston's 780 pixels, as far in from the right
# as from the left.
title_button() { # close | maximise
    local box="" left top right _
    for _ in $(seq 100); do
        import -window "$weston_window" "$work/desktop.png" &&
            box=$(convert "$work/desktop.png" -alpha off -fill black +opaque '#FFFF80' -format '%@' info: 2>/dev/null) &&
            [[ "$box" == 271x111+* ]] && break
        sleep 0.1
    done
    [[ "$box" == 271x111+* ]] || return 1
    IFS=+ read -r _ left top <<<"$box"
    left=$((left - 17)) top=$((top - 137))
    if normal; then right=$((left + 366)); else right=$((780 - left)); fi
    [[ "$1" == close ]] && right=$((right - 14)) || right=$((right - 37))
    xdotool mousemove --window "$weston_window" "$right" $((top - 15)) click 1
}
press() { # what: a key of Weston's, or the title bar's maximise button
    if [[ "$1" == maximise ]]; then title_button maximise; else xdotool key "$1"; fi
}

# Starts the program and waits until it has the keyboard.
start_program() {
    WAYLAND_DEBUG=client env -u DISPLAY "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    logged 1 'wl_keyboard@[0-9]*\.enter('
}
# Closes the window by its title bar's button; fails unless the program then
# ends with 0 and without a protocol error.
close_program() { # what
    local status=""
    if title_button close; then
        for _ in $(seq 600); do
            kill -0 "$program_pid" 2>/dev/null || break
            sleep 0.05
        done
        kill -0 "$program_pid" 2>/dev/null || { status=0 && wait "$program_pid" || status=$?; }
    fi
    if [[ "$status" == 0 ]] && ! grep -q 'wl_display@1\.error' "$work/program.log"; then
        echo "ok: $1"
    else
        echo "FAIL: $1: the program ${status:+ended with }${status:-did not end as asked}; it said:"
        grep -E 'xdg_toplevel|ack_configure|error' "$work/program.log" | tail -n 40 || true
        grep -v '^\[' "$work/program.log" | tail -n 20 || true
        failures=$((failures + 1))
        kill "$program_pid" 2>/dev/null || true
    fi
    program_pid=""
}

# The four fields, as a screen reader reads them: waits until they hold the
# texts given. The compositor's input method, told what a field holds, is
# not told any more once Weston has made the window full screen.
fields_are() { # FV GEV FVb EP [WINDOWS: 2 with a message box]
    local shown
    shown=$(/usr/bin/python3 "$here/fields_read.py" "$@") && return 0
    echo "the fields held $shown, not $*"
    return 1
}

# The window maximised or full screen by Weston's own keys and by its title
# bar's button, which it did not ask for or did, PRESSES times 150 ms apart;
# typed into, brought back to normal where it was left otherwise, typed into
# again and closed. FV has the focus when the window opens, its 0 selected;
# the Tab key takes it to GEV. Two keys typed after the presses, each waited
# for, come after every configure the presses caused: Weston sends a
# configure at the latest right after the key that followed it.
#    what           presses
rows=(
    "super+shift+f  1"
    "super+shift+m  1"
    "maximise       1"
    "super+shift+m  25"
    "super+shift+f  25"
)
for row in "${rows[@]}"; do
    read -r what presses <<<"$row"
    what_ok=""
    if start_program && xdotool type 12 && xdotool key Tab && xdotool type abc && fields_are 12 abc 0 0; then
        from=$(next_line)
        for _ in $(seq "$presses"); do
            press "$what" || true
            sleep 0.15
        done
        if logged "$from" 'xdg_toplevel@[0-9]*\.configure(' && xdotool type d && fields_are 12 abcd 0 0 &&
            xdotool type e && fields_are 12 abcde 0 0; then
            from=$(next_line)
            normal || { press "$what" && logged "$from" 'xdg_toplevel@[0-9]*\.configure(0, 0,'; } &&
                xdotool type f && fields_are 12 abcdef 0 0 && what_ok=1
        fi
    fi
    [[ -n "$what_ok" ]] && echo "ok: $what $presses times, 150 ms apart: the fields keep what was typed" ||
        echo "FAIL: $what $presses times: the fields did not keep what was typed"
    close_program "$what $presses times: the program ends with 0 and without a protocol error"
    [[ -n "$what_ok" ]] || failures=$((failures + 1))
done

# A held key on a focused button presses it once, and a message box the
# press opened stays until the key is pressed again: held past Weston's
# repeat delay (400 ms), on the button after the fields (Shift+Tab counts
# back from "Beräkna FVb"). Qt repeats the key itself here.
#     key     button    FV GEV FVb EP     after: FV GEV FVb EP   a box stays until pressed again
rows=(
    "Return   Command2  0 0 0 1000000            0 0 1413 1009   no"
    "Return   Command1  x 0 10 0                 0 0 10 0        yes"
)
for row in "${rows[@]}"; do
    read -r key button fv gev fvb ep after_fv after_gev after_fvb after_ep box <<<"$row"
    held_ok=""
    if start_program && xdotool type "$fv" && for text in "$gev" "$fvb" "$ep"; do xdotool key Tab type "$text"; done &&
        fields_are "$fv" "$gev" "$fvb" "$ep" && xdotool key Tab Tab Tab &&
        { [[ "$button" == Command2 ]] || xdotool key shift+Tab; } &&
        xdotool keydown "$key" && sleep 1.5 && xdotool keyup "$key"; then
        if [[ "$box" == yes ]]; then
            fields_are "$fv" "$gev" "$fvb" "$ep" 2 && xdotool key "$key" && held_ok=1
        else
            held_ok=1
        fi
        [[ -n "$held_ok" ]] && fields_are "$after_fv" "$after_gev" "$after_fvb" "$after_ep" || held_ok=""
    fi
    what="$key held on $button with $fv $gev $fvb $ep"
    stays=""
    [[ "$box" == no ]] || stays=", the box staying until pressed again"
    [[ -n "$held_ok" ]] && echo "ok: $what: $after_fv $after_gev $after_fvb $after_ep$stays" || echo "FAIL: $what"
    close_program "$what: the program ends with 0"
    [[ -n "$held_ok" ]] || failures=$((failures + 1))
done
exit $((failures > 0))
