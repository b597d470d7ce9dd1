#!/bin/sh
# Runs a program on the current X display under the openbox window manager,
# which gives focus on click and honours always-on-top, as a desktop does.
# Fails when the manager has not announced itself on the root window after
# 60 s: a window mapped before it manages windows would stay unmanaged.
set -eu
command -v openbox >/dev/null 2>&1 || { echo "openbox is not installed" >&2; exit 1; }
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
for _ in $(seq 600); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { echo "openbox did not start" >&2; exit 1; }
"$@"
