#!/usr/bin/env bash
# Serves build-web/site/ (scripts/build-web.sh makes it) on this machine only,
# and prints the address to open. Ctrl+C stops it. Port 0 lets the system
# choose a free one.
#   scripts/serve-web.sh [PORT [FOLDER]]
set -euo pipefail
cd "${2:-$(dirname "$0")/../build-web/site}"
exec python3 -u -m http.server --bind 127.0.0.1 "${1:-8080}"
