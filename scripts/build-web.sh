#!/usr/bin/env bash
# Builds the web page with Debian's emscripten into build-web/site/: static
# files only, to be served by any web server. Also builds the core's tests
# for node, which ctest --test-dir build-web runs.
#   scripts/build-web.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

# emscripten's tools load JavaScript modules from Debian's folder of them,
# where Debian's node looks by itself and a node from elsewhere does not.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DVARVIK_BENCHMARKS=OFF -DVARVIK_UI=ON "$@"
cmake --build build-web --parallel "$(nproc 2>/dev/null || echo 2)"
echo "The site is in build-web/site/"
