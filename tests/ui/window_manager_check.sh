#!/bin/sh
# Starts the program under a real window manager on the X display and checks
# what only a window manager shows: the outer size including its frame, the
# always-on-top state from load on, and that closing the window ends the
# program without asking anything.
# Usage: window_manager_check.sh <tavorin executable>
set -eu
program=$1
for tool in openbox xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 1; }
done

wm=""
trap '[ -n "$wm" ] && kill $wm 2>/dev/null || true' EXIT
# A window mapped before the window manager manages it can stay unmanaged.
# The manager is started again if it ended first: on a busy X server a
# connection can fail.
for _ in $(seq 300); do
  if [ -z "$wm" ] || ! kill -0 "$wm" 2>/dev/null; then
    openbox >/dev/null 2>&1 &
    wm=$!
  fi
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
"$program" &
pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT

window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Tavorin$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }

# The frame arrives a moment after mapping; the client area then gives way.
outer=""
for _ in $(seq 50); do
  extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
  if [ -n "$extents" ]; then
    size=$(xwininfo -id "$window" | sed -n 's/ *Width: //p;s/ *Height: //p' | tr '\n' ' ')
    outer=$(echo "$extents $size" | awk -F'[ ,]' '{print $1+$2+$5 "x" $3+$4+$6}')
    [ "$outer" = "328x471" ] && break
  fi
  sleep 0.1
done
[ "$outer" = "328x471" ] || { echo "outer size is '$outer', not 328x471" >&2; exit 1; }

xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
  { echo "the window is not always on top" >&2; exit 1; }

# Alt+F4 goes to the window manager, which asks the window to close.
xdotool windowactivate --sync "$window"
xdotool key alt+F4
for _ in $(seq 50); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
  echo "closing the window did not end the program" >&2
  exit 1
fi
wait $pid || { echo "the program ended with an error" >&2; exit 1; }
echo "outer size $outer, always on top, closed cleanly"
