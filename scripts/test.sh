#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UBSan, and runs every test; then
# cross-builds for Windows and runs those tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset debug
cmake --build --preset debug
ctest --preset debug
# The README's first command, as a new user without a display runs it.
env -u DISPLAY bash scripts/start.sh | tests/support/check_demo_output.sh
# The Windows build; its first Wine run (test discovery) makes the Wine prefix.
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
