#!/usr/bin/env bash
# How soon the Qt program ends once its window is closed as by its close
# button, against a bare Qt window closed the same way in the same run: the
# milliseconds from the close message to the program's end, median of RUNS
# alternating pairs on a private X server.
#   bench/close_time.sh [RUNS] [BUILD]     after a build with VARVIK_BENCHMARKS=ON
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${2:-build}
# shellcheck source=../tests/helpers/xvfb_window.sh
source tests/helpers/xvfb_window.sh
start_xvfb

closed_ms() { # TITLE PROGRAM
    local pid info ms
    QT_QPA_PLATFORM=xcb "$2" &
    pid=$!
    until info=$(xwininfo -name "$1" 2>/dev/null) && grep -q IsViewable <<<"$info"; do
        kill -0 "$pid" 2>/dev/null || { echo "$2 ended before its window showed" >&2; return 1; }
        sleep 0.05
    done
    sleep 0.5 # drawn and idle
    ms=$(/usr/bin/python3 tests/helpers/close_window.py "$(sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$info")" "$pid")
    wait "$pid"
    echo "$ms"
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
program=() bare=()
for _ in $(seq "$runs"); do
    program+=("$(closed_ms "Varvik v1.4.1" "$build/ui/qt/Varvik141")")
    bare+=("$(closed_ms bare "$build/bench/varvik_bare_qt_window")")
done
p=$(printf '%s\n' "${program[@]}" | median)
b=$(printf '%s\n' "${bare[@]}" | median)
echo "closed to ended: Varvik141 median $p ms, bare Qt window median $b ms ($runs runs each)"
echo "all Varvik141: ${program[*]}"
echo "all bare:      ${bare[*]}"
