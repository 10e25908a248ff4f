#!/usr/bin/env bash
# Starts the real program at the display scales desktops use (1.25, 1.5 and
# 2, and a 120 dpi desktop) and checks that the window scales as a whole, that
# the key box's frame stays one device pixel wide on every side, and that no
# key line's text reaches the frame.
#   window_scales.sh PROGRAM
set -euo pipefail
program=$1
here=$(dirname "$0")
# shellcheck source=../../tests/xvfb_window.sh
source "$here/../../tests/xvfb_window.sh"
work=$(mktemp -d)
failures=0
convert "$here/../../images/background@2x.png" "$work/background@2x.ppm"

for setting in QT_SCALE_FACTOR=1.25 QT_SCALE_FACTOR=1.5 QT_SCALE_FACTOR=2 QT_FONT_DPI=120; do
    scale=${setting#*=}
    [[ "$setting" == QT_FONT_DPI=* ]] && scale=$(awk -v dpi="$scale" 'BEGIN { print dpi / 96 }')
    (export "${setting?}" && start_window "$program" && capture_window "$work/window.png") || {
        echo "FAIL: $setting: the window did not appear"
        failures=$((failures + 1))
        stop_window
        continue
    }
    stop_window
    convert "$work/window.png" "$work/window.ppm"
    /usr/bin/python3 "$here/frame_check.py" "$work/window.ppm" "$scale" "$setting" "$work/background@2x.ppm" ||
        failures=$((failures + 1))
done

rm -rf "$work"
exit $((failures > 0))
