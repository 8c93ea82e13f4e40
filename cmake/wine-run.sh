#!/bin/sh
# Runs a Windows executable under wine64 in the build tree's private prefix,
# on the Xvfb display that the wine fixture started.
# Usage: wine-run.sh <build dir> <program.exe> [args...]
build=$1
shift
export WINEPREFIX="$build/wineprefix" WINEDEBUG=${WINEDEBUG:--all}
if [ -s "$build/wine-fixture/display" ]; then
  DISPLAY=":$(cat "$build/wine-fixture/display")"
  export DISPLAY
fi
exec /usr/lib/wine/wine64 "$@"
