#!/usr/bin/env bash
# Photographs the real window on a private X server into docs/screenshot.png.
# Builds first if needed; run scripts/test.sh or scripts/run.sh once before
# on a fresh machine, so that the packages are there.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x build/ui/qt/Varvik141 ]] || { cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVARVIK_TESTS=OFF -DVARVIK_BENCHMARKS=OFF && cmake --build build --target Varvik141; }
source ui/tests/xvfb_window.sh
start_window build/ui/qt/Varvik141
capture_window docs/screenshot.png
stop_window
echo "wrote docs/screenshot.png (${window_width}x${window_height})"
