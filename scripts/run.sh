#!/usr/bin/env bash
# Installs what is missing, builds Varvik and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVARVIK_TESTS=OFF -DVARVIK_BENCHMARKS=OFF
# Everything, not only the program: what `cmake --install build` installs too.
cmake --build build --parallel "$(nproc 2>/dev/null || echo 2)"
exec build/ui/qt/Varvik141
