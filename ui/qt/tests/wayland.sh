#!/usr/bin/env bash
# The window on a Wayland desktop: a headless Weston, and Qt's Wayland
# platform. The real program must appear at 366 x 263 and ask for a fixed
# size, and survive a compositor that shows every window full screen; the
# window test's Wayland case then asks the compositor to maximise the window
# and to show it full screen, as Qt's title bar and a desktop do, and closes
# it.
#   wayland.sh PROGRAM WINDOW_TEST
set -euo pipefail
program=$1
window_test=$2
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston_pid=""
program_pid=""
finish() {
    [[ -z "$program_pid" ]] || kill "$program_pid" 2>/dev/null || true
    [[ -z "$weston_pid" ]] || kill "$weston_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
failures=0

start_weston() { # shell
    [[ -z "$weston_pid" ]] || { kill "$weston_pid"; wait "$weston_pid" 2>/dev/null || true; }
    weston --backend=headless-backend.so --shell="$1" --socket=varvik --idle-time=0 --width=900 --height=700 \
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
exit $((failures > 0))
