#!/usr/bin/env bash
# Times the Windows program's start under Wine against a bare Win32 window
# (bench/bare_window.cpp) in the same run: from the launch to the first
# painted window (the key box's light yellow at client pixel (200, 140), which
# the bare window paints everywhere), median of RUNS alternating pairs, with
# Wine's server kept running so that both start warm.
#   bench/wine_startup.sh [RUNS] [BUILD]     after scripts/build-windows.sh
# BUILD is the cross-build's directory, build-windows unless given.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${2:-build-windows}
source tests/helpers/xvfb_window.sh
trap stop_window EXIT
start_xvfb
wine_prefix "$PWD/$build/wine-prefix"
wineserver -p
wine cmd /c exit >/dev/null 2>&1 || true # wakes the prefix's services once

painted_ms() { # TITLE PROGRAM
    local title=$1 program=$2 start info x y pixel
    start=$(date +%s%N)
    wine "$program" >/dev/null 2>&1 &
    local pid=$!
    while :; do
        if info=$(xwininfo -name "$title" 2>/dev/null) && grep -q IsViewable <<<"$info"; then
            x=$(sed -n 's/.*Absolute upper-left X: *\([0-9-]*\).*/\1/p' <<<"$info")
            y=$(sed -n 's/.*Absolute upper-left Y: *\([0-9-]*\).*/\1/p' <<<"$info")
            pixel=$(import -window root -crop "1x1+$((x + 200))+$((y + 140))" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1)
            [[ "$pixel" == "#FFFF80" ]] && break
        fi
    done
    echo $((($(date +%s%N) - start) / 1000000))
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    while xwininfo -name "$title" >/dev/null 2>&1; do sleep 0.05; done
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

varvik=() bare=()
for ((i = 0; i < runs; i++)); do
    varvik+=("$(painted_ms "Varvik v1.4.1" "$build/Varvik141.exe")")
    bare+=("$(painted_ms Bare "$build/bench/varvik_bare_window.exe")")
done
v=$(printf '%s\n' "${varvik[@]}" | median)
b=$(printf '%s\n' "${bare[@]}" | median)
echo "Varvik141.exe ($(stat -c %s "$build/Varvik141.exe") bytes): median ${v} ms to the first painted window (${varvik[*]})"
echo "bare window:   median ${b} ms (${bare[*]})"
awk -v v="$v" -v b="$b" 'BEGIN { printf "ratio: %.2f\n", v / b }'
wineserver -k
