#!/bin/sh
# Runs a program with a private D-Bus session bus on which a stand-in for the
# desktop's screen saver service answers; it lists the calls it gets in the
# file named by TAVORIN_SCREENSAVER_LOG. Fails when either cannot start.
set -eu
command -v dbus-daemon >/dev/null 2>&1 || { echo "dbus-daemon is not installed" >&2; exit 1; }
dir=$(mktemp -d)
bus=""
service=""
trap '[ -n "$service" ] && kill "$service" 2>/dev/null; [ -n "$bus" ] && kill "$bus" 2>/dev/null; rm -rf "$dir"' EXIT
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$dir/address" &
bus=$!
for _ in $(seq 600); do [ -s "$dir/address" ] && break; sleep 0.05; done
[ -s "$dir/address" ] || { echo "dbus-daemon did not start" >&2; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$dir/address")
TAVORIN_SCREENSAVER_LOG="$dir/calls"
export DBUS_SESSION_BUS_ADDRESS TAVORIN_SCREENSAVER_LOG
/usr/bin/python3 "$(dirname "$0")/fake_screensaver.py" "$TAVORIN_SCREENSAVER_LOG" >"$dir/ready" &
service=$!
for _ in $(seq 600); do grep -q ready "$dir/ready" && break; kill -0 "$service" 2>/dev/null || break; sleep 0.05; done
grep -q ready "$dir/ready" || { echo "the screen saver stand-in did not start" >&2; exit 1; }
"$@"
