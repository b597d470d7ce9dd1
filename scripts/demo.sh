#!/usr/bin/env bash
# Drives the real program on the current (virtual) display the way a user
# would, with the pointer and keyboard, and keeps a screenshot of each step.
# Usage: demo.sh <tavorin executable> <folder for screenshots>
set -euo pipefail
program=$1
shots=$2
mkdir -p "$shots"
setxkbmap us

"$program" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tavorin$' | head -n 1)
[ -n "$window" ] || { echo "Tavorin did not open its window." >&2; exit 1; }
sleep 1

step=0
shot() {
  step=$((step + 1))
  xdotool mousemove --sync 700 700
  sleep 0.5
  local file="$shots/$step-$1.png"
  import -window root -crop 328x471+0+0 +repage "$file"
  echo "  $2 -> $file"
}
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.3; }

echo "Tavorin started (window $(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p') pixels)."
shot records "Page 文本数据: the empty record list; the status line says 列表中无项目."

click 122 22
click 184 76 && xdotool type --delay 50 'Mr'
click 184 108 && xdotool type --delay 50 'Ms'
click 72 140
click 184 76 && xdotool type --delay 50 'road'
click 184 108 && xdotool type --delay 50 'street'
click 72 140
shot replacements "Page 修改和调节: two replacement pairs added with 添加 (Mr->Ms, road->street)."

click 206 22
shot actions "Page 动作和控制: the action list, its six action buttons and 启动."
click 272 22
shot help "Page 选项: the help page with the placeholders %i, %d, %t and %w."

kill -0 $pid 2>/dev/null || { echo "Tavorin ended unexpectedly." >&2; exit 1; }
echo "Tavorin ran without a fault. Screenshots of every step are in $shots."
