#!/usr/bin/env bash
# Shows Tavorin at work on the current (virtual) display, driven only with the
# pointer and keyboard as a user would: it imports the sample records and the
# sample action list through the program's own "导入" buttons, presses "启动",
# confirms, and prints what the sample form in another program received.
# Usage: demo.sh <tavorin> <sample form program> <examples folder> <folder for screenshots>
# Prints "received: <line>" for every line the form got; exits non-zero when
# a step fails.
set -euo pipefail
program=$1
form_program=$2
examples=$(cd "$3" && pwd)
shots=$4
mkdir -p "$shots"
rm -f "$shots"/[0-9]*-*.png  # screenshots of an earlier demo
shots=$(cd "$shots" && pwd)
work=$(mktemp -d)
setxkbmap us

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; shot failed "the screen when the step failed"; exit 1; }

step=0
shot() {
  step=$((step + 1))
  local file="$shots/$step-$1.png"
  import -window root "$file"
  echo "  screenshot ($2): $file"
}

# A small window manager gives focus on click and keeps Tavorin on top.
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
# On a machine's first run its font caches are built, which can take a while.
for _ in $(seq 300); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "The window manager did not start ($(tail -n 1 "$work/openbox.log")); going on without it."
fi

"$form_program" "$work/form.txt" >"$work/form.out" 2>/dev/null &
pids+=($!)
for _ in $(seq 200); do grep -q '^ready' "$work/form.out" 2>/dev/null && break; sleep 0.05; done
grep -q '^ready' "$work/form.out" || fail "the sample form did not open"
echo "The sample form (示例表单) is open; its text field is centred at $(cut -d' ' -f2-3 "$work/form.out" | tr ' ' ,)."

"$program" 2>${TAVORIN_DEMO_LOG:-/dev/null} &
pids+=($!)
tavorin=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavorin$' | head -n 1)
[ -n "$tavorin" ] || fail "Tavorin did not open its window"
sleep 0.5
origin_x=$(xwininfo -id "$tavorin" | sed -n 's/ *Absolute upper-left X: *//p')
origin_y=$(xwininfo -id "$tavorin" | sed -n 's/ *Absolute upper-left Y: *//p')
echo "Tavorin is open at $origin_x,$origin_y, always on top."

# Positions inside Tavorin's window, in pixels from its client area.
click() {
  xdotool mousemove --sync $((origin_x + $1)) $((origin_y + $2)) click 1
  sleep 0.4
}
tab() { click "$1" 22; }
# Clicks a tab and then the "导入" button on its page (once more if no dialog
# came, as a user would on a busy machine), and answers the file dialog with
# a path typed into its name field.
import_file() {
  local dialog=""
  for _ in 1 2; do
    tab "$1"
    click "$2" "$3"
    dialog=$(timeout 8 xdotool search --sync --onlyvisible --name '^导入$' | head -n 1) && break
  done
  [ -n "$dialog" ] || fail "the open dialog did not appear"
  xdotool windowactivate --sync "$dialog" 2>/dev/null || true
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$4"
  xdotool key Return
  for _ in $(seq 50); do
    if ! xdotool search --onlyvisible --name '^导入$' >/dev/null 2>&1; then
      sleep 1  # the main window takes the input back
      return 0
    fi
    sleep 0.1
  done
  fail "the open dialog did not close"
}

import_file 40 256 68 "$examples/records.txt"
echo "Imported $examples/records.txt with 文本数据 > 导入."
import_file 206 144 76 "$examples/actions.txt"
echo "Imported $examples/actions.txt with 动作和控制 > 导入."
shot before "Tavorin with the sample action list, before the run"

click 76 388
confirm=$(timeout 10 xdotool search --sync --onlyvisible --name '^开始$' | head -n 1) ||
  fail "the confirmation did not appear"
sleep 0.5
xdotool windowactivate --sync "$confirm" 2>/dev/null || true
xdotool key Return
echo "Pressed 启动 and confirmed; Tavorin hides and fills the form."

# The run is over when Tavorin's window is back.
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Tavorin$' >/dev/null 2>&1 || break
  sleep 0.05
done
for _ in $(seq 600); do
  xdotool search --onlyvisible --name '^Tavorin$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Tavorin$' >/dev/null 2>&1 || fail "Tavorin's window did not come back"
sleep 0.5
back_x=$(xwininfo -id "$tavorin" | sed -n 's/ *Absolute upper-left X: *//p')
back_y=$(xwininfo -id "$tavorin" | sed -n 's/ *Absolute upper-left Y: *//p')
[ "$back_x,$back_y" = "$origin_x,$origin_y" ] ||
  fail "Tavorin came back at $back_x,$back_y instead of $origin_x,$origin_y"
shot after "the sample form after the run, Tavorin back on top"

echo "The sample form received:"
while IFS= read -r line || [ -n "$line" ]; do
  echo "received: $line"
done <"$work/form.txt"
for pid in "${pids[@]:1}"; do
  kill -0 "$pid" 2>/dev/null || fail "a program ended unexpectedly"
done
echo "Done: Tavorin delivered the sample records; the screenshots are in $shots."
