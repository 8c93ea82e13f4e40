#!/bin/sh
# Starts or stops the private Wine environment of one build tree: an Xvfb
# display, a persistent wineserver and a booted prefix with Wine's fonts and a
# virtual desktop (so windows get captions and can be photographed).
# Every descriptor goes to a log file: wineserver and Xvfb must never hold
# CTest's output pipe, or CTest waits on them.
# Usage: wine-fixture.sh start|stop <build dir> [desktop_keeper.exe]
# Optional for start: TARVELLO_WINE_DPI (96, 120, 144, 192: the display scale
# Wine reads from LogPixels) and TARVELLO_WINE_DESKTOP (virtual desktop size,
# default 1200x900; the Xvfb screen is made large enough for it). The desktop
# size is set when the prefix is made.
set -u
action=$1
build=$2
keeper=${3:-}
state="$build/wine-fixture"
mkdir -p "$state"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver

stop() {
  $server -k 2>/dev/null
  $server -w 2>/dev/null
  if [ -s "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid" "$state/display"
  fi
}

case "$action" in
stop)
  stop >>"$state/log" 2>&1 </dev/null
  exit 0
  ;;
start)
  exec </dev/null >>"$state/log" 2>&1
  stop
  # A display of our own; -displayfd picks a free number.
  rm -f "$state/display"
  desktop=${TARVELLO_WINE_DESKTOP:-1200x900}
  width=${desktop%x*}
  height=${desktop#*x}
  [ "$width" -ge 1280 ] 2>/dev/null || width=1280
  [ "$height" -ge 1024 ] 2>/dev/null || height=1024
  Xvfb -displayfd 5 -screen 0 "${width}x${height}x24" -nolisten tcp 5>"$state/display" &
  echo $! >"$state/xvfb.pid"
  i=0
  while [ ! -s "$state/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
  [ -s "$state/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  DISPLAY=":$(cat "$state/display")"
  export DISPLAY
  fresh=0
  [ -f "$WINEPREFIX/system.reg" ] || fresh=1
  $server -p
  if [ $fresh = 1 ]; then
    # No Mono or Gecko installer prompts in a test prefix.
    WINEDLLOVERRIDES="mscoree=;mshtml=" $wine wineboot -i
    $server -w
    $server -p
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    $wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
    $wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f
    $server -k
    $server -w
    $server -p
  fi
  # A second drive letter for the root that Z: shows, so tests can reach one
  # folder under two spellings of its path.
  ln -sfn / "$WINEPREFIX/dosdevices/y:"
  if [ -n "${TARVELLO_WINE_DPI:-}" ]; then
    # Read when the server starts: restart it after the change.
    $wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TARVELLO_WINE_DPI" /f
    $server -k
    $server -w
    $server -p
  fi
  if [ -n "$keeper" ]; then
    # One process attached to the desktop for the whole session (see
    # tests/win/support/DesktopKeeper.cpp); wait until it holds it.
    rm -f "$state/keeper-ready"
    $wine "$keeper" "Z:$(echo "$state/keeper-ready" | tr / '\\')" &
    i=0
    while [ ! -f "$state/keeper-ready" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
    [ -f "$state/keeper-ready" ] || { echo "the desktop keeper did not start" >&2; exit 1; }
  else
    $wine cmd /c exit
  fi
  echo "wine ready on $DISPLAY" >&2
  exit 0
  ;;
esac
echo "usage: $0 start|stop <build dir> [desktop_keeper.exe]" >&2
exit 2
