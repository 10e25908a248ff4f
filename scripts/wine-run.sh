#!/usr/bin/env bash
# Runs a Windows program under Wine on a private X server (Xvfb), in a Wine
# prefix that nothing else uses; ctest runs the cross-built test programs
# through it.
#   wine-run.sh --prefix DIRECTORY PROGRAM.exe [ARGUMENTS...]
# The prefix is made on first use. The program's exit status is the script's.
set -euo pipefail

[[ "${1:-}" == --prefix && $# -ge 3 ]] || { echo "usage: $0 --prefix DIRECTORY PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }
prefix=$2
shift 2

# shellcheck source=../ui/tests/xvfb_window.sh
source "$(dirname "$0")/../ui/tests/xvfb_window.sh"
trap stop_window EXIT
start_xvfb
wine_prefix "$prefix"

# Nothing manages windows on this X server, so Wine manages the test program's
# windows itself instead of waiting for a window manager that never answers.
program=$(basename "$1")
if ! grep -qiF "AppDefaults\\\\$program\\\\X11 Driver" "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$program\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
fi

status=0
wine "$@" || status=$?
exit "$status"
