#!/usr/bin/env bash
# Holds a key on a focused button of the real program, on a private X server
# that repeats held keys as a keyboard does: the button is pressed once, and a
# message box the press opened stays open until the key is pressed again.
# Each row starts the program anew, types the four fields, tabs to the
# button, holds the key past the server's repeat delay and lets go, then reads
# the fields back through the clipboard as a user would copy them.
#   held_keys.sh PROGRAM
#   held_keys.sh --wine PREFIX Varvik141.exe
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=../../tests/helpers/xvfb_window.sh
source "$here/../../tests/helpers/xvfb_window.sh"
program_command "$@"
failures=0

# The buttons in the tab cycle after the fields, and how many Shift+Tabs lead
# back from each to EP.
declare -A tabs_after_ep=([Command3]=1 [Command1]=2 [Command2]=3)

# The text of the focused field, copied as a user would; copied again where
# the clipboard was slow to take it.
copy_field() {
    local text="" _
    for _ in 1 2 3; do
        xclip -selection clipboard -i /dev/null >/dev/null 2>&1 # empty, so that a copy shows
        xdotool key ctrl+c
        for _ in $(seq 30); do
            text=$(xclip -selection clipboard -o 2>/dev/null) && [[ -n "$text" ]] && break 2
            sleep 0.1
        done
    done
    printf '%s' "$text"
}

# Windows by the program's title: the window itself, and its message box.
windows_shown() {
    local _
    for _ in $(seq 100); do # until there are as many as expected
        (($(xdotool search --onlyvisible --name '^Varvik v1\.4\.1$' 2>/dev/null | wc -l) == $1)) && break
        sleep 0.1
    done
    xdotool search --onlyvisible --name '^Varvik v1\.4\.1$' 2>/dev/null | wc -l
}

#     key       button    FV GEV FVb EP        after: FV GEV FVb EP   a box stays until pressed again
rows=(
    "Return   Command2  0 0 0 1000000          0 0 1413 1009          no"
    "KP_Enter Command2  0 0 0 1000000          0 0 1413 1009          no"
    "space    Command2  0 0 0 1000000          0 0 1413 1009          no"
    "Return   Command1  x 0 10 0               0 0 10 0               yes"
    "KP_Enter Command1  x 0 10 0               0 0 10 0               yes"
    "space    Command1  x 0 10 0               0 0 10 0               yes"
)
for row in "${rows[@]}"; do
    read -r key button fv gev fvb ep after_fv after_gev after_fvb after_ep box <<<"$row"
    start_window "${command[@]}"
    xdotool windowfocus --sync "$window_id"
    # The window opens in FV, its text selected: typing replaces it.
    xdotool type -- "$fv"
    for text in "$gev" "$fvb" "$ep"; do
        xdotool key Tab
        xdotool type -- "$text"
    done
    for name in Command3 Command1 Command2; do
        xdotool key Tab
        [[ "$name" == "$button" ]] && break
    done
    xdotool keydown "$key"
    sleep 1.5 # Xvfb repeats a key held longer than 0.66 s, 25 times a second
    xdotool keyup "$key"
    what="$key held on $button with $fv $gev $fvb $ep"
    if [[ "$box" == yes ]]; then
        check "$what: the message box is open after the key is let go" "$(windows_shown 2)" 2
        # The box has the keyboard once it is there, as a window manager
        # would see to; Wine may take a moment longer on a busy machine.
        box=$(xdotool search --onlyvisible --name '^Varvik v1\.4\.1$' | grep -vx "$((window_id))" | head -n 1)
        [[ -z "$box" ]] || xdotool windowfocus --sync "$box"
        xdotool key Return
        check "$what: the next press closes it" "$(windows_shown 1)" 1
        # Without a window manager nobody gives the window the keyboard back.
        xdotool windowfocus --sync "$window_id"
    fi
    # Back from the button to EP, then field by field to FV.
    for _ in $(seq "${tabs_after_ep[$button]}"); do xdotool key shift+Tab; done
    shown=()
    for i in 3 2 1 0; do
        shown[i]=$(copy_field)
        ((i == 0)) || xdotool key shift+Tab
    done
    check "$what: the fields after" "${shown[*]}" "$after_fv $after_gev $after_fvb $after_ep"
    stop_window || failures=$((failures + 1))
done
exit $((failures > 0))
