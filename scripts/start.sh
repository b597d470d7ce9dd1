#!/usr/bin/env bash
# Sets up, builds and starts Tavorin. Without a usable display it shows the
# program at work on a virtual one instead and says what happened.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tavorin tavorin_sample_form
program=build/release/tavorin

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi
echo "No display here: showing Tavorin at work on a virtual display instead."
echo "It imports examples/records.txt and examples/actions.txt, presses 启动 and fills a sample form."
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash scripts/demo.sh "$program" build/release/tavorin_sample_form examples artifacts/demo
