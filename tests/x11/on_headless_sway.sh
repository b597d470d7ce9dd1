#!/bin/sh
# Runs a program as an X11 client of Xwayland on a headless sway desktop, as
# the unprivileged user nobody (sway refuses root), with WAYLAND_DISPLAY and
# SWAYSOCK set. The sample forms float where the tests expect them: the X11 one
# at the top left, native Wayland ones at (660, 100); other windows are tiled.
# Fails when sway cannot start.
set -eu
command -v sway >/dev/null 2>&1 || { echo "sway is not installed" >&2; exit 1; }
command -v Xwayland >/dev/null 2>&1 || { echo "Xwayland is not installed" >&2; exit 1; }
dir=$(mktemp -d)
chmod 755 "$dir"
sway=""
trap '[ -n "$sway" ] && kill "$sway" 2>/dev/null; rm -rf "$dir"' EXIT
mkdir -m 0700 "$dir/run"
chown nobody:nogroup "$dir/run"
cat >"$dir/config" <<'CONFIG'
xwayland enable
default_border none
for_window [class="tavorin_sample_form"] floating enable, move position 0 0
for_window [shell="xdg_shell"] floating enable, move position 660 100
exec sh -c 'echo "DISPLAY=$DISPLAY WAYLAND_DISPLAY=$WAYLAND_DISPLAY SWAYSOCK=$SWAYSOCK" >"$XDG_RUNTIME_DIR/env"'
CONFIG

env -i PATH="$PATH" XDG_RUNTIME_DIR="$dir/run" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 setpriv --reuid nobody --regid nogroup --clear-groups \
  sway -c "$dir/config" >"$dir/log" 2>&1 &
sway=$!
for _ in $(seq 600); do [ -s "$dir/run/env" ] && break; kill -0 "$sway" 2>/dev/null || break; sleep 0.05; done
[ -s "$dir/run/env" ] || { echo "sway did not start:" >&2; cat "$dir/log" >&2; exit 1; }
# shellcheck disable=SC2046
export $(cat "$dir/run/env") XDG_RUNTIME_DIR="$dir/run"
export TMPDIR="$dir/run"
setpriv --reuid nobody --regid nogroup --clear-groups "$@"
