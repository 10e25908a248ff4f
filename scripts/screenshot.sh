#!/usr/bin/env bash
# Photographs the real windows on a private X server: the Qt window into
# docs/screenshot.png, and at twice the scale into docs/screenshot@2x.png, and
# the Windows program under Wine into docs/screenshot-windows.png, and at 120,
# 144 and 192 dpi into docs/screenshot-windows@120.png and so on; and the
# web page in headless Chromium into docs/screenshot-web.png and, 390 pixels
# wide, docs/screenshot-web-phone.png. The
# window tests compare the real windows with these pictures, nearly exactly,
# so take them where the test command runs (its set-up installs the fonts).
# Builds first if needed; run scripts/test.sh once before on a fresh machine,
# so that the packages are there.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x build/ui/qt/Varvik141 ]] || { cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVARVIK_TESTS=OFF -DVARVIK_BENCHMARKS=OFF && cmake --build build --target Varvik141; }
[[ -f build-windows/Varvik141.exe ]] || scripts/build-windows.sh
[[ -f build-web/site/index.html ]] || scripts/build-web.sh
source tests/helpers/xvfb_window.sh

start_window build/ui/qt/Varvik141
capture_window docs/screenshot.png
stop_window
echo "wrote docs/screenshot.png (${window_width}x${window_height})"

QT_SCALE_FACTOR=2 start_window build/ui/qt/Varvik141
capture_window docs/screenshot@2x.png
stop_window
echo "wrote docs/screenshot@2x.png (${window_width}x${window_height})"

wine_prefix "$PWD/build-windows/wine-prefix"
start_window wine build-windows/Varvik141.exe
capture_window docs/screenshot-windows.png
stop_window
echo "wrote docs/screenshot-windows.png (${window_width}x${window_height})"

# And at 1.25, 1.5 and 2 times its resolution, in the prefixes the window
# tests use for them.
for dpi in 120 144 192; do
    wine_prefix "$PWD/build-windows/wine-prefix-$dpi"
    start_xvfb
    wine_dpi "$dpi"
    start_window wine build-windows/Varvik141.exe
    capture_window "docs/screenshot-windows@$dpi.png"
    stop_window
    echo "wrote docs/screenshot-windows@$dpi.png (${window_width}x${window_height})"
done

# The web page in headless Chromium: on a desktop browser, and on a phone
# 390 pixels wide at twice its resolution.
coproc server { exec scripts/serve-web.sh 0; }
read -r line <&"${server[0]}"
address=$(grep -o 'http://127\.0\.0\.1:[0-9]*/' <<<"$line")
profile=$(mktemp -d)
shoot() { # FILE WIDTH HEIGHT SCALE
    chromium --headless --no-sandbox --disable-background-networking --disable-component-update --disable-sync \
        --no-first-run --disable-quic --user-data-dir="$profile" --hide-scrollbars --virtual-time-budget=3000 \
        --window-size="$2,$3" --force-device-scale-factor="$4" --screenshot="$PWD/$1" "$address" 2>/dev/null
    echo "wrote $1"
}
shoot docs/screenshot-web.png 480 279 1
shoot docs/screenshot-web-phone.png 390 520 2
kill "$server_PID"
rm -rf "$profile"
