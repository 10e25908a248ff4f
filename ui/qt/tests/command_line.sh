#!/usr/bin/env bash
# The program's command line, without a desktop to open a window on: two
# questions answered on standard output, any other argument refused in one
# line, and no desktop said in one line instead of Qt's abort.
#   command_line.sh PROGRAM
set -uo pipefail
program=$1
failures=0

expect() { # status, lines, pattern of the first line, arguments...
    local status=$1 lines=$2 pattern=$3 output got
    shift 3
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>&1)
    got=$?
    if [[ $got == "$status" && $(wc -l <<<"$output") == "$lines" && $(head -n 1 <<<"$output") =~ $pattern ]]; then
        echo "ok: ${*:-no arguments}: exit $got, $lines line(s)"
    else
        echo "FAIL: ${*:-no arguments}: exit $got (expected $status), said:"
        echo "$output"
        failures=$((failures + 1))
    fi
}

expect 0 1 '^Varvik v1\.4\.1$' --version
expect 0 7 '^Användning: Varvik141 \[-h \| --help \| --version\]$' --help
expect 0 7 '^Användning: Varvik141 \[-h' -h
expect 0 1 '^Varvik v1\.4\.1$' --version --help
expect 0 7 '^Användning: Varvik141 \[-h' -h --version
expect 2 1 '^Varvik141: okänt argument "-x"' --help -x
expect 2 1 '^Varvik141: okänt argument "--verbose"' --verbose
expect 2 1 '^Varvik141: okänt argument "-platform"' -platform wayland
expect 2 1 '^Varvik141: okänt argument "x"' --version x
expect 1 1 '^Varvik141: behöver ett grafiskt skrivbord \(X11 eller Wayland\)'
exit $((failures > 0))
