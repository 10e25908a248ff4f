#!/usr/bin/env bash
# Makes the release of the last commit twice, as two different builders
# would, and compares the two dist/ folders file by file: one line per
# download, "identical" or "differs", and for each that differs what
# diffoscope finds inside. Fails on any difference.
#   scripts/check-reproducible.sh
# The two builds differ in the folder (name and length), the clock (the
# second runs three days ahead under faketime), the time zone, the umask
# and the locale. A release step, not part of the test command.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

scripts/setup.sh reproducible

commit=$(git rev-parse HEAD)
if [[ -n $(git status --porcelain) ]]; then
    echo "check-reproducible: the tree has changes that are not committed; checking $commit without them"
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/varvik-reproducible.XXXXXX")
first=$work/a
second=$work/second-builder-in-a-longer-folder
# Each checkout made under its build's umask, so their files' modes differ.
for tree in "$first:022" "$second:002"; do
    (umask "${tree#*:}" && git clone --quiet --no-hardlinks "$top" "${tree%:*}" &&
        git -C "${tree%:*}" checkout --quiet --detach "$commit")
done

# A second locale besides C.UTF-8: one the system has, or Swedish made
# here for this run alone.
other_locale=$(locale -a | grep -E -i -m 1 '^(sv_SE|de_DE|fr_FR|en_US)\.utf-?8$' || true)
locale_path=()
if [[ -z "$other_locale" ]]; then
    other_locale=sv_SE.UTF-8
    mkdir "$work/locale"
    localedef -i sv_SE -f UTF-8 "$work/locale/$other_locale"
    # Where LOCPATH points, glibc looks for every locale, C.UTF-8 too.
    cp -r /usr/lib/locale/C.utf8 "$work/locale/"
    locale_path=(LOCPATH="$work/locale")
fi

# build NAME TREE UMASK [VARIABLE=VALUE...] [COMMAND...]: scripts/release.sh
# in TREE under that umask, started through env with the rest.
build() {
    local name=$1 tree=$2 mask=$3
    shift 3
    echo "check-reproducible: building the release in $tree ($name)"
    if ! (cd "$tree" && umask "$mask" && env "$@" bash scripts/release.sh) >"$work/$name.log" 2>&1; then
        tail -n 40 "$work/$name.log"
        echo "check-reproducible: the $name build failed; its log is $work/$name.log" >&2
        exit 1
    fi
}
build first "$first" 022 LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
build second "$second" 002 "${locale_path[@]}" LANG="$other_locale" LC_ALL="$other_locale" TZ=XYZ-14 \
    faketime -f +3d

status=0
details=()
for name in $( (ls "$first/dist"; ls "$second/dist") | sort -u); do
    if cmp -s "$first/dist/$name" "$second/dist/$name"; then
        echo "$name: identical"
    else
        echo "$name: differs"
        details+=("$name")
        status=1
    fi
done
for name in "${details[@]}"; do
    echo
    echo "=== $name"
    diffoscope --new-file --text - --max-text-report-size 200000 "$first/dist/$name" "$second/dist/$name" || true
done

if [[ $status -eq 0 ]]; then
    echo
    cat "$first/dist/SHA256SUMS"
    rm -rf "$work"
else
    echo "check-reproducible: both builds stay in $work" >&2
fi
exit $status
