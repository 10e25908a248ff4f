#!/usr/bin/env bash
# Installs the Debian package as a user would, on the machine it runs on, and
# checks it: that apt-get brings no compiler and no -dev package with it,
# that the installed program paints its window on a private X server, and
# that removing the package leaves nothing of it behind.
#   scripts/check-package.sh build/varvik_1.4.1_amd64.deb
# It changes the system it runs on: run it in a throwaway one, such as a fresh
# Debian 12 container. Not part of the test command.
set -euo pipefail
package=$(realpath "$1")
here=$(dirname "$0")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
installed() { dpkg-query -W -f='${db:Status-Status} ${Package}\n' | awk '$1 == "installed" { print $2 }' | sort; }

# What the check itself needs, before the package, so it is not counted.
export DEBIAN_FRONTEND=noninteractive
as_root apt-get update -q >/dev/null
as_root apt-get install -y -q --no-install-recommends xvfb x11-utils imagemagick >/dev/null

before=$(installed)
as_root apt-get install -y -q "$package" >/dev/null
after=$(installed)
pulled=$(comm -13 <(echo "$before") <(echo "$after"))
echo "apt-get installed $(echo "$pulled" | wc -w) packages, varvik among them"
bad=$(echo "$pulled" | grep -E -- '-dev$|^(gcc|g\+\+|cpp|clang|cmake|make)(-[0-9.]+)?$' || true)
[[ -z "$bad" ]] || fail "the package brought build tools: $(echo $bad)"
echo "$pulled" | grep -qx varvik || fail "varvik is not installed"
echo "installed size: $(dpkg-query -W -f='${Installed-Size}' varvik) KiB; package: $(stat -c %s "$package") bytes"

# The installed program, started as the desktop entry starts it.
# shellcheck source=../tests/helpers/xvfb_window.sh
source "$here/../tests/helpers/xvfb_window.sh"
if start_window "$(command -v Varvik141)"; then
    echo "ok: the installed program painted its ${window_width}x${window_height} window"
else
    fail "the installed program showed no window"
fi
stop_window || fail "the installed program, closed, did not end by itself with status 0"

files=$(dpkg -L varvik | while read -r path; do [[ -f "$path" ]] && echo "$path"; done)
as_root apt-get purge -y -q varvik >/dev/null
for path in $files; do
    [[ ! -e "$path" ]] || fail "left behind: $path"
done
dpkg-query -W varvik >/dev/null 2>&1 && [[ "$(dpkg-query -W -f='${db:Status-Status}' varvik)" != not-installed ]] &&
    fail "varvik is still known to dpkg"
[[ $failures -eq 0 ]] && echo "ok: removed, nothing of it left ($(echo "$files" | wc -l) files gone)"
exit $((failures > 0))
