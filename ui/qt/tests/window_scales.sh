#!/usr/bin/env bash
# Starts the real program at the display scales desktops use (1.25, 1.5 and
# 2, and a 120 dpi desktop) and checks that the window scales as a whole, that
# the key box's frame stays one device pixel wide on every side, and that no
# key line's text reaches the frame; at 2 the whole window, with its
# pictures drawn for twice the size, is its reference picture (compare_picture's tolerance).
#   window_scales.sh PROGRAM REFERENCE_AT_TWICE_THE_SCALE
set -euo pipefail
program=$1
reference=$2
here=$(dirname "$0")
# shellcheck source=../../../tests/helpers/xvfb_window.sh
source "$here/../../../tests/helpers/xvfb_window.sh"
work=$(mktemp -d)
failures=0
convert "$here/../../images/background@2x.png" "$work/background@2x.ppm"

for setting in QT_SCALE_FACTOR=1.25 QT_SCALE_FACTOR=1.5 QT_SCALE_FACTOR=2 QT_FONT_DPI=120; do
    scale=${setting#*=}
    [[ "$setting" == QT_FONT_DPI=* ]] && scale=$(awk -v dpi="$scale" 'BEGIN { print dpi / 96 }')
    if ! start_window env "$setting" "$program"; then
        echo "FAIL: $setting: the window did not appear"
        failures=$((failures + 1))
        stop_window || true
        continue
    fi
    capture_window "$work/window.png"
    stop_window || failures=$((failures + 1))
    if [[ "$setting" == QT_SCALE_FACTOR=2 ]]; then
        compare_picture "$work/window.png" "$reference" window-at-2x || failures=$((failures + 1))
    fi
    convert "$work/window.png" "$work/window.ppm"
    /usr/bin/python3 "$here/frame_check.py" "$work/window.ppm" "$scale" "$setting" "$work/background@2x.ppm" ||
        failures=$((failures + 1))
done

# Without the picture drawn for twice the size beside it, the program shows
# the one it carries, enlarged, rather than none.
mkdir "$work/alone"
cp "$program" "$work/alone/"
if start_window env QT_SCALE_FACTOR=2 "$work/alone/$(basename "$program")" && capture_window "$work/alone.png"; then
    shown=$(convert "$work/alone.png" -format '%[hex:p{600,100}]' info: | cut -c1-6)
    expected=$(convert "$here/../../images/background.png" -format '%[hex:p{300,50}]' info: | cut -c1-6)
    if [[ "$shown" == "$expected" ]]; then echo "ok: without its twice-size picture, the background enlarged"; else
        echo "FAIL: without its twice-size picture, the background shows $shown where $expected was"
        failures=$((failures + 1))
    fi
else
    echo "FAIL: without its twice-size picture, the window did not appear"
    failures=$((failures + 1))
fi
stop_window || failures=$((failures + 1))

rm -rf "$work"
exit $((failures > 0))
