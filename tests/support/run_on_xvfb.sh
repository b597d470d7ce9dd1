#!/bin/sh
# Runs a program on a private Xvfb display with the US keymap. Fails, rather
# than skipping, when Xvfb cannot be had: the tests it runs need a display.
set -eu
for tool in xvfb-run Xvfb xauth setxkbmap; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "run_on_xvfb.sh: $tool is not installed" >&2
    exit 1
  fi
done
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  sh -c 'setxkbmap us || { echo "setxkbmap failed: no display?" >&2; exit 1; }; exec "$@"' sh "$@"
