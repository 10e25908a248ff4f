#!/usr/bin/env bash
# Installs what is missing (mingw-w64, Wine and what the tests need), then
# cross-builds the native Windows program and its test programs:
#   build-windows/Varvik141.exe
# `ctest --test-dir build-windows` runs the tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh windows

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DVARVIK_TESTS=ON -DVARVIK_BENCHMARKS=ON
cmake --build build-windows --parallel "$(nproc 2>/dev/null || echo 2)"
echo "wrote build-windows/Varvik141.exe"
