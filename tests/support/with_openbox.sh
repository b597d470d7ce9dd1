#!/bin/sh
# Runs a program on the current X display under the openbox window manager,
# which gives focus on click and honours always-on-top, as a desktop does.
# Fails when the manager has not announced itself on the root window after
# 60 s: a window mapped before it manages windows would stay unmanaged.
set -eu
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed" >&2; exit 1; }
log=$(mktemp)
wm=""
trap '[ -n "$wm" ] && kill $wm 2>/dev/null; rm -f "$log"' EXIT
running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 600); do
  # Started again if it ended before managing the screen.
  if [ -z "$wm" ] || ! kill -0 "$wm" 2>/dev/null; then
    openbox >>"$log" 2>&1 &
    wm=$!
  fi
  running && break
  sleep 0.1
done
running || { echo "openbox did not start:" >&2; cat "$log" >&2; exit 1; }
"$@"
