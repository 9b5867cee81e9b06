#!/usr/bin/env bash
# The real program driven from outside, as a person uses it: real key and
# mouse events from xdotool, the result read by another process, the exit
# code of the program itself. Needs an X server; starts Xvfb without one.
#   end_to_end.sh <xianshuaitong.exe> <window_probe.exe>
set -euo pipefail
program=$1
probe=$2
here=$(dirname "$(readlink -f "$0")")
scripts="$here/../../scripts"

if [ -z "${DISPLAY:-}" ]; then
    source "$scripts/xvfb.sh"
    start_xvfb
    trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
fi
run() { "$scripts/wine-run" "$@"; }
probe() { run "$probe" "$@" | tr -d '\r'; }
fail() { echo "end_to_end: $*" >&2; exit 1; }

# Control identifiers, in creation order from 1001.
edit1=1001 button=1002 edit2=1004 edit3=1007 radio3=1011 edit4=1012 edit5=1014

start() {
    run "$program" &
    program_pid=$!
    [ "$(probe wait)" = ready ] || fail "the window did not appear"
    window=$(xdotool search --sync --name "线衰通" | head -n 1)
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    sleep 0.5
}

expect_focus() {
    local focus
    focus=$(probe focus)
    [ "$focus" = "$1" ] || fail "$2: focus is on $focus, not $1"
}

finish() {
    local code=0
    wait "$program_pid" || code=$?
    [ "$code" -eq 0 ] || fail "exit code $code, not 0"
}

click_at_control() {
    local x y
    read -r x y < <(probe center "$1")
    xdotool mousemove --sync "$x" "$y" click 1
    sleep 0.2
}

# 1. Mouse and typing: each box clicked, then typed into; the button clicked.
start
expect_focus $edit1 "first focus"
xdotool type --delay 30 "100"
click_at_control $edit2; xdotool type --delay 30 "1.5"
click_at_control $edit3; xdotool type --delay 30 "12"
click_at_control $edit5; xdotool type --delay 30 "0.5"
[ "$(probe text $edit4)" = "输出结果" ] || fail "the result box changed before the click"
click_at_control $button
result=$(probe text $edit4)
[ "$result" = "10.766" ] || fail "mouse click: the result box shows '$result', not 10.766"
probe close-button
finish
echo "mouse and typing: 10.766, exit code 0"

# 2. Keyboard only, from the first focus: Tab order, arrows, Space, Esc.
start
expect_focus $edit1 "first focus"
xdotool type --delay 30 "100"
xdotool key --delay 60 Tab Tab
expect_focus $edit2 "two Tabs from the length box"
xdotool type --delay 30 "1.5"
xdotool key --delay 60 Tab
xdotool type --delay 30 "12"
xdotool key --delay 60 Tab Right Right
expect_focus $radio3 "two Right arrows from the first radio button"
xdotool key --delay 60 Tab Tab
expect_focus $edit5 "Tab past the result box"
xdotool type --delay 30 "0.5"
xdotool key --delay 60 Tab Tab
expect_focus $button "Tab wrapping round to the button"
xdotool key --delay 60 Return
[ "$(probe text $edit4)" = "输出结果" ] || fail "Enter clicked the button"
xdotool key --delay 60 space
sleep 0.3
result=$(probe text $edit4)
[ "$result" = "10.04" ] || fail "Space: the result box shows '$result', not 10.04"
xdotool key --delay 60 Escape
finish
echo "keyboard only: 10.04, Esc, exit code 0"

# 3. Alt+F4 closes the window like its close button.
start
xdotool key --delay 60 alt+F4
finish
echo "Alt+F4: exit code 0"
