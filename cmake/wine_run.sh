#!/bin/sh
# Runs a Windows program under Wine in a prefix of its own:
#   wine_run.sh [--own-server] PREFIX PROGRAM [ARGUMENTS...]
# --own-server starts the prefix's Wine server afresh for this program and
# ends it (with every Wine program it ran) afterwards: for programs on a
# display of their own, which a server left from an earlier display would
# not reach. Such runs must not share a prefix with each other.
# The first run creates the prefix (about 10 s): 64-bit, no Mono or Gecko
# prompts, Chinese fonts standing in for the ones Windows has, and a private
# zh_CN.UTF-8 locale so that Wine's ANSI code page is 936 (GBK) as on the
# users' systems. A half-made prefix (an interrupted first run) is made
# again; parallel runs wait for one another while it is made.
set -eu
own_server=false
if [ "${1:-}" = --own-server ]; then
  own_server=true
  shift
fi
if [ $# -lt 2 ]; then
  echo "usage: $0 [--own-server] PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
prefix=$1
shift
case $prefix in
  /*) ;;
  *) prefix=$PWD/$prefix ;;  # Wine takes only absolute prefixes
esac

for tool in wine wineboot wineserver localedef flock iconv; do
  command -v "$tool" >/dev/null 2>&1 || { echo "wine_run.sh: $tool is not installed (run scripts/setup.sh)" >&2; exit 1; }
done

# Bump when the prefix's contents change, so old prefixes are made anew.
layout=1
state=$(dirname "$prefix")
locales=$state/wine-locale
marker=$prefix/.tavorin-prefix

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
export LOCPATH="$locales" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Keeps Wine from adding menu entries and file associations to the desktop,
# and a crashing program from waiting for a debugger: it just ends.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d;winedbg.exe=d"

make_locale() {
  [ -f "$locales/zh_CN.UTF-8/LC_CTYPE" ] && return 0
  rm -rf "$locales"
  mkdir -p "$locales"
  # localedef warns about details of the locale source and still builds it;
  # only a missing result is a failure.
  localedef --no-archive -c -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8" >/dev/null 2>&1 || true
  if [ ! -f "$locales/zh_CN.UTF-8/LC_CTYPE" ]; then
    echo "wine_run.sh: cannot build the zh_CN.UTF-8 locale (is the locales package installed?)" >&2
    exit 1
  fi
}

# Registry lines for the fonts Chinese Windows has and Wine lacks.
font_replacements() {
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for font in 微软雅黑 "Microsoft YaHei" "Microsoft YaHei UI" 宋体 SimSun 新宋体 NSimSun 黑体 SimHei; do
    printf '"%s"="Noto Sans CJK SC"\r\n' "$font"
  done
}

make_prefix() {
  [ -f "$marker" ] && [ "$(cat "$marker")" = "$layout" ] && return 0
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
  mkdir -p "$prefix"
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree=d;mshtml=d" wineboot -i >/dev/null 2>&1
  reg=$state/font-replacements.reg
  { printf '\377\376'; font_replacements | iconv -f UTF-8 -t UTF-16LE; } > "$reg"
  wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
  rm -f "$reg"
  # The server writes the registry to disk when it ends; wait for that, so a
  # prefix marked ready really holds what it should.
  wineserver -k
  echo "$layout" > "$marker"
}

mkdir -p "$state"
exec 9>"$state/wine-prefix.lock"
flock 9
make_locale
make_prefix
flock -u 9
exec 9>&-

if ! $own_server; then
  # A server that lingers between the many short test programs: one that is
  # just shutting down when the next program starts can make that start fail.
  wineserver -p30 >/dev/null 2>&1 || true
  exec wine "$@"
fi
wineserver -k >/dev/null 2>&1 || true
wineserver -w
status=0
wine "$@" || status=$?
wineserver -k >/dev/null 2>&1 || true
exit $status
