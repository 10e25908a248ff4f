#!/usr/bin/env bash
# Makes the Debian package from the build tree (build/ unless one is given)
# and has lintian look at it; fails on any error lintian reports.
#   scripts/package.sh [BUILD_DIRECTORY]
# Run scripts/test.sh or scripts/run.sh first, so that the build is there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

# A package left from an earlier version is not this build's.
rm -f "$build"/varvik_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/varvik_*.deb)
# Lintian refuses to be asked as root unless told it may.
lintian --allow-root --fail-on error "$package"
echo "wrote $package ($(stat -c %s "$package") bytes)"
