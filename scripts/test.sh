#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UBSan, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset debug
cmake --build --preset debug
ctest --preset debug
