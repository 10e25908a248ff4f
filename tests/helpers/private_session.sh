# shellcheck shell=bash
# Sourced first by a test that reads the window through AT-SPI: runs the
# test again on a private session bus, with a private runtime folder. The
# accessibility bus puts its socket in that folder, or, without one, in
# ~/.cache/at-spi/bus for everyone; two tests side by side then share the
# socket's path, and the first to end deletes the other's socket.
if [[ -z "${VARVIK_SESSION_BUS:-}" ]]; then
    runtime=$(mktemp -d)
    status=0
    env VARVIK_SESSION_BUS=1 XDG_RUNTIME_DIR="$runtime" dbus-run-session -- "$0" "$@" \
        2> >(grep -v 'dbus-daemon' >&2) || status=$?
    rm -rf "$runtime"
    exit "$status"
fi
