#!/usr/bin/env bash
# The window on a Wayland desktop: a headless Weston, and Qt's Wayland
# platform. The real program must appear at 366 x 263 and ask for a fixed
# size, and survive a compositor that shows every window full screen; the
# window test's Wayland case then asks the compositor to maximise the window
# and to show it full screen, as Qt's title bar and a desktop do, and closes
# it. Last, on a Weston drawing into a private X server, the real program
# is typed into and given Weston's own keys for maximised and full screen,
# which it did not ask for, and is closed by its title bar's button.
#   wayland.sh PROGRAM WINDOW_TEST
set -euo pipefail
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
    grep -q 'xdg_toplevel@[0-9]*\.set_min_size(366, 263)' "$work/program.log" &&
        grep -q 'xdg_toplevel@[0-9]*\.set_max_size(366, 263)' "$work/program.log" || ok=0
    grep -q 'wl_display@1\.error' "$work/program.log" && ok=0
    if ((ok)) && kill -0 "$program_pid" 2>/dev/null; then
        echo "ok: $1: the program asks for a fixed 366 x 263 and goes on"
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
# Weston's own keys: the pointer rests on Weston's window, which so has the
# X server's keyboard.
weston_key() { # from keys; waits for the compositor's next configure
    xdotool key "$2" && logged "$1" 'xdg_toplevel@[0-9]*\.configure('
}
start_xvfb
trap finish EXIT
start_weston desktop-shell.so --backend=x11-backend.so --use-pixman --width=780 --height=580
weston_window=$(xwininfo -name "Weston Compositor - screen0" | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
xdotool mousemove --window "$weston_window" 5 300
WAYLAND_DEBUG=client env -u DISPLAY "$program" >"$work/program.log" 2>&1 &
program_pid=$!
status=""
# FV has the focus when the window opens, its 0 selected; the Tab key takes
# it to GEV. Full screen, where the program is typed into again, then back,
# then maximised. What a field holds the program tells the compositor's
# input method (set_surrounding_text) while the field has the focus.
if logged 1 'wl_keyboard@[0-9]*\.enter(' && xdotool type 12 && xdotool key Tab && xdotool type abc &&
    logged 1 'set_surrounding_text("abc",' &&
    from=$(next_line) && weston_key "$from" super+shift+f && xdotool type d &&
    from=$(next_line) && weston_key "$from" super+shift+f &&
    from=$(next_line) && weston_key "$from" super+shift+m && logged "$from" 'get_toplevel' &&
    logged "$from" 'set_max_size(366, 263)' &&
    logged "$from" 'wl_keyboard@[0-9]*\.enter(' && xdotool key shift+Tab &&
    logged "$from" 'set_surrounding_text("abcd",' && logged "$from" 'set_surrounding_text("12",'; then
    # Closed by its title bar's button, found from the key box's yellow
    # (271 x 111 at 17, 137 of the window) once Weston shows the window.
    box=""
    for _ in $(seq 100); do
        import -window "$weston_window" "$work/desktop.png" &&
            box=$(convert "$work/desktop.png" -alpha off -fill black +opaque '#FFFF80' -format '%@' info: 2>/dev/null) &&
            [[ "$box" == 271x111+* ]] && break
        sleep 0.1
    done
    if [[ "$box" == 271x111+* ]]; then
        IFS=+ read -r _ box_x box_y <<<"$box"
        xdotool mousemove --window "$weston_window" $((box_x - 17 + 352)) $((box_y - 137 - 15)) click 1
    fi
    for _ in $(seq 600); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$program_pid" 2>/dev/null || { status=0 && wait "$program_pid" || status=$?; }
fi
if [[ "$status" == 0 ]] && ! grep -q 'wl_display@1\.error' "$work/program.log"; then
    echo "ok: maximised and full screen by Weston's own keys, the program goes on with its fields and ends with 0"
else
    echo "FAIL: under Weston's own keys the program ${status:+ended with }${status:-did not end as asked}; it said:"
    grep -E 'xdg_toplevel|ack_configure|set_surrounding_text|error' "$work/program.log" | tail -n 40
    grep -v '^\[' "$work/program.log" | tail -n 20
    failures=$((failures + 1))
fi
program_pid=""
exit $((failures > 0))
