#!/usr/bin/env bash
# Runs a Windows program under Wine on a private X server (Xvfb), in a Wine
# prefix that nothing else uses; ctest runs the cross-built test programs
# through it.
#   wine-run.sh --prefix DIRECTORY [--dpi DPI] [--without-wine-fonts] [--on-display] PROGRAM.exe [ARGUMENTS...]
# The prefix is made on first use, with Wine's own Windows fonts (without
# them given --without-wine-fonts, as in a prefix `wine msiexec /i` makes); --dpi sets
# the resolution it shows at (96 dots an inch unless set); --on-display
# shows the program on the caller's own display ($DISPLAY) instead. The
# program's exit status is the script's.
set -euo pipefail

usage() { echo "usage: $0 --prefix DIRECTORY [--dpi DPI] [--without-wine-fonts] [--on-display] PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }
[[ "${1:-}" == --prefix && $# -ge 3 ]] || usage
prefix=$2
shift 2
dpi="" on_display="" without_wine_fonts=""
while [[ $# -gt 0 && "$1" == --* ]]; do
    case "$1" in
    --dpi)
        [[ $# -ge 2 && "$2" =~ ^[0-9]+$ ]] || usage
        dpi=$2
        shift 2 ;;
    --on-display)
        on_display=1
        shift ;;
    --without-wine-fonts) without_wine_fonts=1; shift ;;
    *) usage ;;
    esac
done
[[ $# -ge 1 ]] || usage

# shellcheck source=../tests/helpers/xvfb_window.sh
source "$(dirname "$0")/../tests/helpers/xvfb_window.sh"
if [[ -n "$on_display" ]]; then
    [[ -n "${DISPLAY:-}" ]] || { echo "$0: no display (DISPLAY is not set)" >&2; exit 2; }
    wine_prefix "$prefix"
    [[ -z "$dpi" ]] || wine_dpi "$dpi"
    exec wine "$@"
fi
trap stop_window EXIT
start_xvfb
wine_prefix "$prefix"
[[ -z "$without_wine_fonts" ]] || find "$WINEPREFIX/drive_c/windows/Fonts" -type l -lname '/usr/share/wine/fonts/*' -delete
[[ -z "$dpi" ]] || wine_dpi "$dpi"

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
