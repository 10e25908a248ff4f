# Helpers for running the real program on a private X server (Xvfb); sourced
# by the end-to-end test and the screenshot script.
#   start_window PROGRAM   starts Xvfb and the program, waits for its window
#   window_id, window_x, window_y, window_width, window_height   after that
#   stop_window            ends both (also run on exit)

start_window() {
    local program=$1 n
    for n in $(seq 90 140); do
        if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
            display=":$n"
            break
        fi
    done
    [[ -n "${display:-}" ]] || { echo "no free X display" >&2; return 1; }
    Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap stop_window EXIT
    export DISPLAY=$display
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done

    QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
    program_pid=$!
    local info=""
    for _ in $(seq 150); do
        info=$(xwininfo -name "Varvik v1.4.1" 2>/dev/null) && break
        sleep 0.1
    done
    [[ -n "$info" ]] || { echo "the window did not appear" >&2; return 1; }
    sleep 1 # let it draw
    info=$(xwininfo -name "Varvik v1.4.1")
    window_id=$(sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")
    window_x=$(sed -n 's/.*Absolute upper-left X: *\([0-9-]*\).*/\1/p' <<<"$info")
    window_y=$(sed -n 's/.*Absolute upper-left Y: *\([0-9-]*\).*/\1/p' <<<"$info")
    window_width=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
    window_height=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
}

stop_window() {
    [[ -n "${program_pid:-}" ]] && kill "$program_pid" 2>/dev/null
    [[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    program_pid="" xvfb_pid=""
}

# The window's client area as a PNG.
capture_window() {
    import -window root -crop "${window_width}x${window_height}+${window_x}+${window_y}" +repage "$1"
}
