#!/usr/bin/env bash
# Reads the real window as a screen reader does: through AT-SPI, on a
# private session bus and a private X server, and presses the homepage link
# through its action (a stand-in xdg-open records what the desktop was asked
# to open).
#   accessibility_e2e.sh PROGRAM
set -euo pipefail
# shellcheck source=../../../tests/helpers/private_session.sh
source "$(dirname "$0")/../../../tests/helpers/private_session.sh"
here=$(dirname "$0")
# shellcheck source=../../../tests/helpers/xvfb_window.sh
source "$here/../../../tests/helpers/xvfb_window.sh"

work=$(mktemp -d)
mkdir "$work/bin"
# It writes aside and renames, so that the file appears with its text in it.
printf '#!/bin/sh\necho "$@" > "%s/opening" && mv "%s/opening" "%s/opened"\n' "$work" "$work" "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_window "$1"
status=0
/usr/bin/python3 "$here/accessibility_tree.py" "$work/opened" || status=$?
stop_window
rm -rf "$work"
exit "$status"
