#!/usr/bin/env bash
# Runs a Windows program (mostly a test) under wine64 in the build tree's
# private prefix, on the Xvfb display that the wine fixture started.
# Usage: wine-run.sh <build dir> <program.exe> [args...]
#
# Every program runs once and keeps its result: a failure is a fault to find,
# in the program or in the test's driving, never something to run again.
set -u
build=$1
shift
export WINEPREFIX="$build/wineprefix" WINEDEBUG=${WINEDEBUG:--all}
if [ -s "$build/wine-fixture/display" ]; then
  DISPLAY=":$(cat "$build/wine-fixture/display")"
  export DISPLAY
fi
exec /usr/lib/wine/wine64 "$@"
