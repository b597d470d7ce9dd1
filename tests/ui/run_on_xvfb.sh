#!/bin/sh
# Runs a command on a private Xvfb display. A missing X server is a failure:
# the tests run through here cannot mean anything without one.
set -eu
for tool in xvfb-run Xvfb xauth; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "run_on_xvfb.sh: $tool is not installed" >&2
    exit 1
  fi
done
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
