#!/usr/bin/env bash
# Sources the built bash completions and checks what they offer for a table of command lines.
# Usage: completion_test.sh <folder of the completion scripts>
set -u
export LC_ALL=C
source "$1/morvactl"
source "$1/morva"

failures=0
# expect "<command line, the cursor at its end>" "<completions, sorted, space separated>"
expect() {
    local line=$1 wanted=$2
    read -r -a COMP_WORDS <<< "$line"
    # A trailing space starts a new, empty word.
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    "_${COMP_WORDS[0]}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//')
    if [ "$got" != "$wanted" ]; then
        echo "FAIL: '$line' gave '$got', expected '$wanted'"
        failures=$((failures + 1))
    fi
}

expect "morvactl pro" "profile"
expect "morvactl --demo d" "devices"
expect "morvactl --" "-- --demo --help --show-device-memory --trace --version"
expect "morvactl --demo --tr" "--trace"
expect "morvactl -- m" "macro message"
expect "morvactl profile " "add copy delete export import list rename reset select"
expect "morvactl profile select " "HD MousePad keyboard keyboard123 mouse"
expect "morvactl profile select key" "keyboard keyboard123"
expect "morvactl --demo info M" "MousePad"
expect "morvactl keys mouse " "set"
expect "morvactl light set mouse b" "brightness="
expect "morvactl light frames HD " "--ms"
expect "morvactl macro import keyboard file.mac --" "--name"
expect "morvactl hid " "descriptor list"
expect "morvactl message l" "light-control"
expect "morvactl devices " ""
expect "morva --h" "--help --hidden"
expect "morva --v" "--version"

# A file argument completes file names.
folder=$(mktemp -d)
touch "$folder/profile.json"
expect "morvactl profile export mouse $folder/pro" "$folder/profile.json"
rm -r "$folder"

[ $failures -eq 0 ] && echo "all completions as expected"
exit $((failures > 0))
