#!/bin/sh
# Starts the program under a window manager, makes an action list whose wait
# is out of range and one record, and runs it twice: the run hides the main
# window and shows its "参数错误" box alone, closed once with Enter and once
# with Esc. Each time the main window must come back with both lists as they
# were: closing a box is not closing the program.
# Usage: box_during_run_check.sh <tavorin executable>
set -eu
program=$1
for tool in xdotool xwininfo import compare; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 1; }
done
work=$(mktemp -d)
"$program" 2>"$work/log" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# Polls `condition` (a shell command) for up to 30 s.
until_true() {
  local end=$(($(date +%s) + 30))
  while [ "$(date +%s)" -le $end ]; do
    eval "$1" && return 0
    sleep 0.1
  done
  return 1
}
shown() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
alive() { kill -0 $pid 2>/dev/null; }

until_true '[ -n "$(shown "^Tavorin$")" ]' || fail "the main window did not appear"
window=$(shown '^Tavorin$')
# Placed for good once the window manager has framed it.
until_true 'xprop -id $window _NET_FRAME_EXTENTS | grep -q " = "' || fail "the main window has no frame"
x0=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left X: *//p')
y0=$(xwininfo -id "$window" | sed -n 's/ *Absolute upper-left Y: *//p')
# Positions in pixels from the client area's top left corner.
click() { xdotool mousemove --sync $((x0 + $1)) $((y0 + $2)) click 1; }
# Gives `window` the keyboard focus (a click may not be needed, or not enough).
focus() {
  until_true "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = $1 ] || { xdotool windowactivate $1 2>/dev/null; false; }"
}
# A list's area as an image, to tell whether its lines are still there.
list_image() { import -window root -crop "$3x$4+$((x0 + $1))+$((y0 + $2))" +repage "$work/$5.png"; }
same_image() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>/dev/null; }
colours() { identify -format '%k' "$work/$1.png"; }
records_tab() { click 40 22; }
actions_tab() { click 206 22; }

# One record: "新增", then its text in the editor.
focus "$window" || fail "the main window does not take the input"
records_tab
click 256 204
click 150 300
xdotool type --delay 30 "abc"
list_image 40 88 241 99 records_before
until_true '[ "$(colours records_before)" -gt 1 ] || { list_image 40 88 241 99 records_before; false; }' ||
  fail "the record did not appear"

# «复制内容» and «等候时长 3000000».
actions_tab
click 76 220
click 156 252
until_true '[ -n "$(shown "^等候（秒）：$")" ]' || fail "the wait dialog did not open"
dialog=$(shown '^等候（秒）：$')
focus "$dialog" || fail "the wait dialog does not take the input"
xdotool type --delay 30 3000000
xdotool key Return
until_true '[ -z "$(shown "^等候（秒）：$")" ]' || fail "the wait dialog did not close"
list_image 40 96 241 106 actions_before
until_true 'list_image 40 96 241 106 actions_before; [ "$(colours actions_before)" -gt 1 ]' ||
  fail "the actions did not appear"

for key in Return Escape; do
  focus "$window" || fail "the main window does not take the input before the run"
  click 76 388
  until_true '[ -n "$(shown "^开始$")" ]' || fail "the confirmation did not appear"
  confirm=$(shown '^开始$')
  focus "$confirm" || fail "the confirmation does not take the input"
  xdotool key y  # "是(Y)": the check lists the wait, so Enter would answer "否"
  until_true '[ -n "$(shown "^错误$")" ]' || fail "the run showed no box"
  [ -z "$(shown '^Tavorin$')" ] || fail "the main window was not hidden during the run"
  box=$(shown '^错误$')
  focus "$box" || fail "the box does not take the input"
  xdotool key "$key"
  until_true '[ -n "$(shown "^Tavorin$")" ] || ! alive' || true
  alive || fail "closing the box with $key ended the program"
  [ -n "$(shown '^Tavorin$')" ] || fail "the main window did not come back after $key"
  # A list of an inactive window shows its selection in another colour.
  focus "$window" || fail "the main window does not take the input after $key"
  until_true 'list_image 40 96 241 106 actions_after; same_image actions_before actions_after' ||
    fail "the action list changed after $key"
  records_tab
  until_true 'list_image 40 88 241 99 records_after; same_image records_before records_after' ||
    fail "the record list changed after $key"
  actions_tab
done
echo "the box closed twice, with Enter and with Esc; the main window came back with both lists"
