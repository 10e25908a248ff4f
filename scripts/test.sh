#!/usr/bin/env bash
# Installs what is missing, builds Varvik and runs every test: the unit tests,
# the window's tests (offscreen, and the real program on a private X server)
# in a plain build; all of them again with AddressSanitizer and
# UndefinedBehaviorSanitizer together with a short fuzzing run; the
# Windows program, cross-built, with its tests under Wine; and the web page,
# its calculator's tests under node and the page in Chromium and Firefox.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh test

jobs=$(nproc 2>/dev/null || echo 2)
# Tests run side by side: each window test has its own X server, compositor
# and bus, and the tests that share a Wine prefix take turns with it.

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVARVIK_TESTS=ON -DVARVIK_BENCHMARKS=ON
cmake --build build --parallel "$jobs"
ctest --test-dir build --parallel "$jobs" --output-on-failure
scripts/package.sh build

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVARVIK_SANITIZE=ON -DVARVIK_FUZZ=ON -DVARVIK_BENCHMARKS=OFF -DVARVIK_UI=ON
cmake --build build-sanitize --parallel "$jobs"
ctest --test-dir build-sanitize --parallel "$jobs" --output-on-failure

scripts/build-windows.sh
ctest --test-dir build-windows --parallel "$jobs" --output-on-failure

scripts/build-web.sh
ctest --test-dir build-web --parallel "$jobs" --output-on-failure

echo "All tests passed."
