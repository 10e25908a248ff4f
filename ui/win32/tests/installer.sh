#!/usr/bin/env bash
# Installs varvik-VERSION.msi under Wine, as one user and without asking, in
# a Wine prefix made new for it; checks the installed program, its Start-menu
# shortcut and its entry among the installed programs; starts the installed
# program to its painted window; uninstalls it and checks that nothing of it
# is left. Then installs it again and over it a later version made from the
# same source (varvik.wxs, through wixl), which is to replace it.
#   installer.sh PREFIX varvik-1.4.1.msi varvik.wxs
set -euo pipefail
prefix=$1
msi=$(realpath "$2")
wxs=$(realpath "$3")
here=$(dirname "$0")
# shellcheck source=../../../tests/helpers/xvfb_window.sh
source "$here/../../../tests/helpers/xvfb_window.sh"
failures=0

# What the installer declares, which Windows heeds where Wine does not: a
# Swedish summary, an install for the user alone (the summary's source flag
# 8: no elevation; no ALLUSERS, so Windows keeps its entry under HKCU), and
# the entry's InstallLocation set once costing has settled the folder.
summary=$(msiinfo suminfo "$msi")
check "summary: template" "$(sed -n 's/^Template: //p' <<<"$summary")" "x64;1053"
check "summary: comment" "$(sed -n 's/^Comments: \(Installerar Varvik\),.*/\1/p' <<<"$summary")" "Installerar Varvik"
check "summary: no elevation" "$(($(sed -n 's/^Source: \([0-9]*\).*/\1/p' <<<"$summary") & 8))" 8
properties=$(msiinfo export "$msi" Property | tr -d '\r')
check "language" "$(awk -F'\t' '$1 == "ProductLanguage" { print $2 }' <<<"$properties")" 1053
check "no ALLUSERS" "$(awk -F'\t' '$1 == "ALLUSERS"' <<<"$properties")" ""
check "InstallLocation's action" "$(msiinfo export "$msi" CustomAction | tr -d '\r' | grep -P '^SetInstallLocation\t')" \
    "$(printf 'SetInstallLocation\t51\tARPINSTALLLOCATION\t[INSTALLDIR]\t')"
check "InstallLocation set between CostFinalize and InstallValidate" "$(msiinfo export "$msi" InstallExecuteSequence |
    tr -d '\r' | awk -F'\t' '{ n[$1] = $3 } END { print (n["CostFinalize"] < n["SetInstallLocation"] &&
        n["SetInstallLocation"] < n["InstallValidate"]) ? "yes" : "no" }')" yes

rm -rf "$prefix" "$prefix.lock"
start_xvfb
wine_prefix "$prefix"
# A shortcut in the Start menu is not to become one in this machine's own
# menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="
user_dir=$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')")
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
program="$user_dir/AppData/Local/Programs/Varvik/Varvik141.exe"
shortcut="$appdata/Microsoft/Windows/Start Menu/Programs/Varvik.lnk"
# Windows keeps a per-user install's entry under the user's key; Wine 8
# under the machine's.
uninstall_keys=('HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall')
entries() {
    local key
    for key in "${uninstall_keys[@]}"; do wine reg query "$key" /s 2>/dev/null | tr -d '\r' || true; done
}
# Everything of the user's that Varvik could leave behind.
leftovers() {
    find "$user_dir" "$WINEPREFIX/drive_c/windows/Installer" -iname '*varvik*' 2>/dev/null | sort
    wine reg query 'HKCU\Software\Varvik Spel' >/dev/null 2>&1 && echo 'HKCU\Software\Varvik Spel'
    entries | grep -i varvik
    [[ ! -e "$user_dir/AppData/Local/Programs" ]] || echo "$user_dir/AppData/Local/Programs"
    true
}
check "nothing of Varvik before" "$(leftovers)" ""

status=0
wine msiexec /i "$msi" /qn || status=$?
check "msiexec /i exit status" "$status" 0
check "program installed under the user's programs" "$([[ -f "$program" ]] && cmp -s "$program" "$(dirname "$msi")/Varvik141.exe" && echo same)" same
check "Start-menu shortcut" "$([[ -f "$shortcut" ]] && echo there)" there
# The shortcut leads to the program and carries the icon (its paths are
# written in 8 and in 16 bits).
links=$( (tr -c '[:print:]' '\n' <"$shortcut"
    for skip in 1 2; do tail -c +"$skip" "$shortcut" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' '\n'; done) 2>/dev/null || true)
check "shortcut leads to the program" "$(grep -q 'Programs\\Varvik\\Varvik141.exe$' <<<"$links" && echo yes)" yes
check "shortcut's icon" "$(grep -q 'Varvik.ico$' <<<"$links" && echo yes)" yes

entry=$(entries)
value() { grep -E "^\s+$1\s" <<<"$entry" | sed -E "s/^\s+$1\s+REG_\w+\s+//" | head -n 1; }
check "uninstall entry: name" "$(value DisplayName)" Varvik
check "uninstall entry: version" "$(value DisplayVersion)" 1.4.1
check "uninstall entry: publisher" "$(value Publisher)" "Varvik Spel"
check "uninstall entry: homepage" "$(value URLInfoAbout)" http://varvik.example
check "uninstall entry: install location" "$(value InstallLocation)" \
    "$(winepath -w "$user_dir/AppData/Local/Programs/Varvik" 2>/dev/null | tr -d '\r')\\"
# Windows works the size out while costing; Wine writes 0.
check "uninstall entry: size" "$(grep -cE '^\s+EstimatedSize\s+REG_DWORD\s' <<<"$entry")" 1

# The installed program, as its shortcut starts it.
if start_window wine "$program"; then
    check "installed program's window" "${window_width}x${window_height}" 366x263
else
    failures=$((failures + 1))
fi
stop_window || failures=$((failures + 1))

start_xvfb
status=0
wine msiexec /x "$msi" /qn || status=$?
check "msiexec /x exit status" "$status" 0
check "nothing of Varvik after" "$(leftovers)" ""

# A later version: the same UpgradeCode, another product code. wixl takes
# its files relative to where it runs, beside the installer's source.
work=$(mktemp -d)
later="$(dirname "$wxs")/later-version.wxs"
sed -E -e 's/ Version="[0-9.]*"/ Version="9.9.9"/' \
    -e "s/<Product Id=\"[^\"]*\"/<Product Id=\"$(tr a-f A-F </proc/sys/kernel/random/uuid)\"/" "$wxs" >"$later"
made=0
(cd "$(dirname "$wxs")" && wixl --arch x64 -o "$work/later.msi" "$(basename "$later")") 2>/dev/null || made=$?
rm -f "$later"
[[ "$made" == 0 ]] || { echo "FAIL: wixl did not make the later version from $wxs"; exit 1; }
status=0
{ wine msiexec /i "$msi" /qn && wine msiexec /i "$work/later.msi" /qn; } || status=$?
check "earlier, then later version installed" "$status" 0
entry=$(entries)
check "one entry, the later version's" "$(value DisplayVersion)/$(grep -c 'DisplayVersion' <<<"$entry")" 9.9.9/1
check "program still installed" "$([[ -f "$program" ]] && echo there)" there
status=0
wine msiexec /x "$work/later.msi" /qn || status=$?
check "later version uninstalled" "$status" 0
check "nothing of Varvik after both" "$(leftovers)" ""
rm -rf "$work"
stop_window || true

exit $((failures > 0))
