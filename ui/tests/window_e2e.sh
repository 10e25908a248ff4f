#!/usr/bin/env bash
# Starts the real program on a private X server and checks what a user would
# see: the client size, that the window cannot be resized, pixels of a
# screenshot (the key box, its frame and the blue link), the whole window
# against its reference picture (the README's screenshot), and that closed as
# by its close button the program ends with status 0.
#   window_e2e.sh PROGRAM REFERENCE                         the Qt window
#   window_e2e.sh --wine PREFIX Varvik141.exe REFERENCE [BOX_READER.exe]
#                                                           the Windows program under Wine, and with
#                                                           the reader its message box
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=../../tests/helpers/xvfb_window.sh
source "$here/../../tests/helpers/xvfb_window.sh"
program_command "$@"
shift "$given"
reference=$1
box_reader=${2:-}

work=$(mktemp -d)
failures=0

start_window "${command[@]}"

check "client width" "$window_width" 366
check "client height" "$window_height" 263

# A window manager may not resize a window whose least and greatest sizes agree.
hints=$(xprop -id "$window_id" WM_NORMAL_HINTS)
check "least size" "$(grep -o 'minimum size: [0-9]* by [0-9]*' <<<"$hints")" "minimum size: 366 by 263"
check "greatest size" "$(grep -o 'maximum size: [0-9]* by [0-9]*' <<<"$hints")" "maximum size: 366 by 263"

# A dock groups the window with its launcher by this class, which the desktop
# entry names as its StartupWMClass.
if [[ -z "${WINEPREFIX:-}" ]]; then
    check "window class" "$(xprop -id "$window_id" WM_CLASS)" 'WM_CLASS(STRING) = "Varvik141", "Varvik141"'
fi

capture_window "$work/window.png"
compare_picture "$work/window.png" "$reference" window || failures=$((failures + 1))
pixel() { convert "$work/window.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }

check "key box background, right of the heading" "$(pixel 200 140)" FFFF80
check "key box background, right of a key line" "$(pixel 205 190)" FFFF80
check "key box frame, left edge" "$(pixel 16 180)" 000000
check "key box frame, right edge" "$(pixel 208 180)" 000000
check "key box frame, top edge" "$(pixel 120 136)" 000000
check "key box frame, bottom edge" "$(pixel 120 216)" 000000
check "just outside the frame is background" "$(pixel 209 180)" "$(convert "$here/../images/background.png" -format '%[hex:p{209,180}]' info: | cut -c1-6)"

blue=$(convert "$work/window.png" -crop 193x17+152+232 +repage txt:- | grep -c '#0000FF' || true)
if ((blue > 40)); then echo "ok: link text is blue ($blue pixels)"; else
    echo "FAIL: link text: only $blue pure blue pixels"; failures=$((failures + 1)); fi

# A letter typed into FV and a click on "Beräkna EP" bring the program's own
# box, read from beside the program: its text and its one button, which
# closes it.
if [[ -n "${box_reader:-}" ]]; then
    xdotool mousemove $((window_x + 40)) $((window_y + 60)) click 1 sleep 0.3 type x
    xdotool mousemove $((window_x + 50)) $((window_y + 92)) click 1
    check "message box of a wrong entry" "$(wine "$box_reader" "Varvik v1.4.1" | tr -d '\r')" \
        "$(printf 'text: Varvik kan endast räkna med siffror.\nbuttons: 1')"
fi

# Closed as by its close button, the program ends by itself with status 0.
if stop_window; then echo "ok: closed, the program ended with status 0"; else
    echo "FAIL: closed, the program did not end well (above)"; failures=$((failures + 1)); fi
rm -rf "$work"
exit $((failures > 0))
