#!/bin/sh
# wixl writes the installer's summary information for English (its template
# says 1033) whatever the package's Languages say; this makes it Swedish,
# 1053, and leaves the rest of it as it was, the package code among it.
#   summary-language.sh INSTALLER.msi
set -eu
msi=$1
summary=$(msiinfo suminfo "$msi")
field() { printf '%s\n' "$summary" | sed -n "s/^$1: //p"; }
subject=$(field Subject)
author=$(field Author)
platform=$(field Template | cut -d';' -f1)
code=$(field 'Revision number (UUID)')
if [ -z "$subject" ] || [ -z "$author" ] || [ -z "$platform" ] || [ -z "$code" ]; then
    echo "summary-language.sh: $msi has no summary information to read:" >&2
    printf '%s\n' "$summary" >&2
    exit 1
fi
msibuild "$msi" -s "$subject" "$author" "$platform;1053" "$code"
