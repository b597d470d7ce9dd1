#!/usr/bin/env bash
# Builds the Debian package from a finished build, unpacks it into a
# temporary root, checks what it installs and declares, and starts the
# installed program on the X display.
# Usage: package_test.sh <build folder>
set -euo pipefail
build=$1
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(ls "$work"/tavorin_*.deb)
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(echo "$depends" | tr ',' '\n' | sed 's/([^)]*)//; s/ //g')
for library in libqt6core6 libqt6gui6 libqt6widgets6 libx11-6 libxtst6 qt6-translations-l10n; do
  grep -qx "$library" <<<"$names" || fail "the package does not depend on $library"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
[ -x "$root/usr/bin/tavorin" ] || fail "no program in /usr/bin"
for size in 16 24 32 48; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/tavorin.png
  [ -f "$icon" ] || fail "no ${size} px icon"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size} px icon has the wrong size"
done
entry=$root/usr/share/applications/tavorin.desktop
for line in 'Type=Application' 'Name=Tavorin' 'Exec=tavorin' 'Icon=tavorin' 'Categories=Utility;'; do
  grep -qx "$line" "$entry" || fail "the desktop entry lacks '$line'"
done
grep -q '^Comment=.' "$entry" && grep -q '^Comment\[zh_CN\]=.' "$entry" ||
  fail "the desktop entry lacks its English or Chinese comment"

"$root/usr/bin/tavorin" 2>/dev/null &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavorin$' | head -n 1) || true
[ -n "$window" ] || fail "the installed program did not open its window"
# The window icon carries every drawn size.
icons=$(xprop -id "$window" -notype _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)')
for size in 16 24 32 48; do
  grep -qx "Icon ($size x $size)" <<<"$icons" || fail "the window icon has no ${size} px image"
done
echo "The installed program started and shows its icon in all four sizes."
