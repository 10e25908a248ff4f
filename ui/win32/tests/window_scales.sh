#!/usr/bin/env bash
# Starts the real Varvik141.exe under Wine at 120, 144 and 192 dots an inch
# (1.25, 1.5 and 2 times the design's 96), each in a Wine prefix of its own,
# and checks the client area's size and the whole window against its
# reference picture (scripts/screenshot.sh takes them).
#   window_scales.sh PREFIX Varvik141.exe DOCS
# uses the prefixes PREFIX-120, PREFIX-144 and PREFIX-192 and the pictures
# DOCS/screenshot-windows@120.png and so on.
set -euo pipefail
prefix=$1
program=$2
docs=$3
here=$(dirname "$0")
# shellcheck source=../../../tests/helpers/xvfb_window.sh
source "$here/../../../tests/helpers/xvfb_window.sh"
work=$(mktemp -d)
failures=0

# The client area at each resolution: 5490 x 3945 twips.
declare -A sizes=([120]="458x329" [144]="549x395" [192]="732x526")
for dpi in 120 144 192; do
    start_xvfb
    wine_prefix "$prefix-$dpi"
    wine_dpi "$dpi"
    if ! start_window wine "$program"; then
        echo "FAIL: $dpi dpi: the window did not appear"
        failures=$((failures + 1))
        stop_window || true
        continue
    fi
    capture_window "$work/window.png"
    stop_window || failures=$((failures + 1))
    if [[ "${window_width}x${window_height}" == "${sizes[$dpi]}" ]]; then
        echo "ok: $dpi dpi: client area ${sizes[$dpi]}"
    else
        echo "FAIL: $dpi dpi: client area ${window_width}x${window_height}, expected ${sizes[$dpi]}"
        failures=$((failures + 1))
    fi
    compare_picture "$work/window.png" "$docs/screenshot-windows@$dpi.png" "window-at-$dpi-dpi" ||
        failures=$((failures + 1))
done
rm -rf "$work"
exit $((failures > 0))
