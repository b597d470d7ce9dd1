#!/bin/sh
# Runs a program on a private Xvfb display with the US keymap. Fails, rather
# than skipping, when Xvfb cannot be had: the tests it runs need a display.
# The server takes the first free display number itself and says which
# (-displayfd): test programs started at once never race for one, as they
# do when each picks a number before starting its server.
set -eu
for tool in Xvfb setxkbmap; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "run_on_xvfb.sh: $tool is not installed" >&2
    exit 1
  fi
done
dir=$(mktemp -d)
xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
# The number is written once the server accepts connections.
for _ in $(seq 1200); do
  [ -s "$dir/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
[ -s "$dir/display" ] || { echo "run_on_xvfb.sh: Xvfb did not start:" >&2; cat "$dir/log" >&2; exit 1; }
DISPLAY=:$(cat "$dir/display")
export DISPLAY
setxkbmap us || { echo "setxkbmap failed: no display?" >&2; exit 1; }
# Not exec'd: the trap must end the server once the program is done.
status=0
"$@" || status=$?
exit $status
