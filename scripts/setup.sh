#!/usr/bin/env bash
# Installs what building, running and testing Tavorin needs on Debian 12.
# Only missing packages are installed, so a ready machine is left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libx11-dev libxtst-dev libgtest-dev
  xvfb xauth x11-utils x11-xkb-utils xdotool imagemagick openbox
  xclip  # the demo reads back what it typed into a file dialog
  fonts-noto-cjk
  qt6-translations-l10n  # Qt's own Chinese texts for file dialogs and box buttons
  g++-mingw-w64-x86-64-posix wine wine64 zip  # the Windows build, its tests under Wine, its zip
  locales  # the zh_CN source that Wine's Chinese locale (code page 936) is built from
  file  # the Debian package build reads the program's libraries with it
  libxss-dev  # keeps the X server's screen saver off during a run
  dbus-daemon python3-gi  # a private session bus with a stand-in screen saver service in the tests
  sway xwayland qt6-wayland  # the tests on a headless Wayland desktop with X11 and Wayland targets
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo: missing packages ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}"
