#!/bin/sh
# Starts the program on the X display, clicks each tab, keeps a screenshot of
# every page in the artifact folder, and checks that the window keeps its
# outer size and that every click showed a different page.
# Usage: page_screenshots.sh <tavorin executable> <artifact dir>
set -eu
program=$1
artifacts=$2
for tool in xdotool import compare; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$tool is not installed" >&2; exit 1; }
done
mkdir -p "$artifacts"

"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Tavorin$' | head -n 1)
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }

check_size() {
  size=$(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')
  [ "$size" = "328x471" ] || { echo "window size is $size, not 328x471" >&2; exit 1; }
}

grab() {
  # Without a window manager the window sits at the screen's top-left.
  import -window root -crop 328x471+0+0 +repage "$1"
}
same() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = "0" ]
}
# Keeps the picture once the screen has stopped changing and, after a tab
# click, shows something else than `before` (or, with `again`, the same as
# it): the click has been handled, whatever the machine's load.
shot() {
  local name=$1 before=${2:-} again=${3:-}
  local file="$artifacts/$name.png" last="$artifacts/.last.png"
  grab "$last"
  for _ in $(seq 300); do
    sleep 0.1
    grab "$file"
    if same "$file" "$last"; then
      if [ -z "$before" ]; then rm -f "$last"; return 0; fi
      if [ -n "$again" ] && same "$file" "$before"; then rm -f "$last"; return 0; fi
      if [ -z "$again" ] && ! same "$file" "$before"; then rm -f "$last"; return 0; fi
    fi
    cp "$file" "$last"
  done
  echo "$name: the screen did not settle on the expected page" >&2
  exit 1
}

check_size
shot page0-records
# Tab centres of the strip (8,8 in the window, tab bar about 28 px high).
previous=page0-records
for tab in "122 page1-adjustments" "206 page2-actions" "272 page3-help"; do
  set -- $tab
  xdotool mousemove --sync "$1" 22 click 1
  xdotool mousemove --sync 600 600  # no hover highlight in the picture
  shot "$2" "$artifacts/$previous.png"
  check_size
  previous=$2
done
xdotool mousemove --sync 45 22 click 1
xdotool mousemove --sync 600 600
shot page0-again "$artifacts/page0-records.png" again
check_size

differ() {
  pixels=$(compare -metric AE "$artifacts/$1.png" "$artifacts/$2.png" null: 2>&1 || true)
  [ "$pixels" != "0" ]
}
for a in page0-records page1-adjustments page2-actions page3-help; do
  for b in page0-records page1-adjustments page2-actions page3-help; do
    if [ "$a" \< "$b" ] && ! differ "$a" "$b"; then
      echo "$a and $b show the same page" >&2
      exit 1
    fi
  done
done
if differ page0-records page0-again; then
  echo "going back to the first tab did not show the first page again" >&2
  exit 1
fi
echo "screenshots in $artifacts"
