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
wm=""
# On a machine's first run its font caches are built, which can take a while.
for _ in $(seq 300); do
  # Started again if it ended before managing the screen: on a busy X server
  # a connection can fail.
  if [ -z "$wm" ] || ! kill -0 "$wm" 2>/dev/null; then
    openbox >>"$work/openbox.log" 2>&1 &
    wm=$!
    pids+=($wm)
  fi
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
wm_running=""
if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  wm_running=yes
else
  echo "The window manager did not start ($(tail -n 1 "$work/openbox.log")); going on without it."
fi

"$form_program" "$work/form.txt" >"$work/form.out" 2>/dev/null &
pids+=($!)
for _ in $(seq 600); do grep -q '^ready' "$work/form.out" 2>/dev/null && break; sleep 0.1; done
grep -q '^ready' "$work/form.out" || fail "the sample form did not open"
echo "The sample form (示例表单) is open; its text field is centred at $(cut -d' ' -f2-3 "$work/form.out" | tr ' ' ,)."

"$program" 2>${TAVORIN_DEMO_LOG:-/dev/null} &
pids+=($!)
tavorin=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tavorin$' | head -n 1)
[ -n "$tavorin" ] || fail "Tavorin did not open its window"
# Placed for good once the window manager has framed it.
if [ -n "$wm_running" ]; then
  for _ in $(seq 300); do
    xprop -id "$tavorin" _NET_FRAME_EXTENTS 2>/dev/null | grep -q ' = ' && break
    sleep 0.1
  done
fi
origin_x=$(xwininfo -id "$tavorin" | sed -n 's/ *Absolute upper-left X: *//p')
origin_y=$(xwininfo -id "$tavorin" | sed -n 's/ *Absolute upper-left Y: *//p')
echo "Tavorin is open at $origin_x,$origin_y, always on top."

# Positions inside Tavorin's window, in pixels from its client area.
click() { xdotool mousemove --sync $((origin_x + $1)) $((origin_y + $2)) click 1; }

# Waits until `window` has the keyboard focus, clicking into it if needed.
wait_active() {
  local window=$1
  for _ in $(seq 300); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && return 0
    xdotool windowactivate "$window" 2>/dev/null || true
    sleep 0.1
  done
  return 1
}

# Number of colours inside a list (a crop of its area in Tavorin's window):
# an empty list is plain white, one with lines shows their text.
list_colours() {
  import -window root -crop "$3x$4+$((origin_x + $1))+$((origin_y + $2))" +repage png:- |
    identify -format '%k' -
}

# Puts `path` into the focused name field of a file dialog and checks, by
# copying the field to the clipboard, that it holds exactly that path: a
# completer popup opening under the typing can swallow keys.
fill_name_field() {
  local path=$1
  for _ in $(seq 5); do
    xdotool key ctrl+a BackSpace
    xdotool type --delay 20 "$path"
    xdotool key ctrl+a ctrl+c
    local held=""
    for _ in $(seq 20); do
      held=$(xclip -o -selection clipboard 2>/dev/null || true)
      [ "$held" = "$path" ] && break
      sleep 0.1
    done
    if [ "$held" = "$path" ]; then
      xdotool key End  # the completer closes; the selection goes
      return 0
    fi
  done
  return 1
}

# Clicks a tab and then the "导入" button on its page (once more if no dialog
# came, as a user would on a busy machine), answers the file dialog with a
# path typed into its name field, and waits until the list in the given area
# shows lines.
import_file() {
  local tab_x=$1 button_x=$2 button_y=$3 path=$4 list=$5
  local dialog=""
  wait_active "$tavorin" || fail "Tavorin does not take the input"
  for _ in 1 2 3; do
    click "$tab_x" 22
    click "$button_x" "$button_y"
    dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^导入$' | head -n 1) && break
  done
  [ -n "$dialog" ] || fail "the open dialog did not appear"
  wait_active "$dialog" || fail "the open dialog does not take the input"
  fill_name_field "$path" || fail "the open dialog's name field does not hold $path"
  xdotool key Return
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name '^导入$' >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name '^导入$' >/dev/null 2>&1 && fail "the open dialog did not close"
  wait_active "$tavorin" || fail "Tavorin does not take the input back"
  for _ in $(seq 300); do
    [ "$(list_colours $list)" -gt 1 ] && return 0
    sleep 0.1
  done
  fail "the list stayed empty after importing $path"
}

import_file 40 256 68 "$examples/records.txt" "45 92 230 90"
echo "Imported $examples/records.txt with 文本数据 > 导入."
import_file 206 144 76 "$examples/actions.txt" "45 100 230 95"
echo "Imported $examples/actions.txt with 动作和控制 > 导入."
shot before "Tavorin with the sample action list, before the run"

click 76 388
confirm=$(timeout 30 xdotool search --sync --onlyvisible --name '^开始$' | head -n 1) ||
  fail "the confirmation did not appear"
wait_active "$confirm" || fail "the confirmation does not take the input"
xdotool key Return
echo "Pressed 启动 and confirmed; Tavorin hides and fills the form."

# The run is over when Tavorin's window, hidden for the run, is back where
# it was, and the form holds a line for every record.
for _ in $(seq 200); do
  xdotool search --onlyvisible --name '^Tavorin$' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name '^Tavorin$' >/dev/null 2>&1 && fail "Tavorin's window did not hide for the run"
for _ in $(seq 600); do
  xdotool search --onlyvisible --name '^Tavorin$' >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Tavorin$' >/dev/null 2>&1 || fail "Tavorin's window did not come back"
position() {
  xwininfo -id "$tavorin" | sed -n 's/ *Absolute upper-left X: *//p;s/ *Absolute upper-left Y: *//p' | paste -sd,
}
for _ in $(seq 50); do
  [ "$(position)" = "$origin_x,$origin_y" ] && break
  sleep 0.1
done
[ "$(position)" = "$origin_x,$origin_y" ] ||
  fail "Tavorin came back at $(position) instead of $origin_x,$origin_y"
records=$(tr -d '\r' <"$examples/records.txt" | grep -c .)
for _ in $(seq 300); do
  [ "$(grep -c . "$work/form.txt" 2>/dev/null || true)" -ge "$records" ] && break
  sleep 0.1
done
shot after "the sample form after the run, Tavorin back on top"

echo "The sample form received:"
while IFS= read -r line || [ -n "$line" ]; do
  echo "received: $line"
done <"$work/form.txt"
for pid in "${pids[@]:1}"; do
  kill -0 "$pid" 2>/dev/null || fail "a program ended unexpectedly"
done
echo "Done: Tavorin delivered the sample records; the screenshots are in $shots."
