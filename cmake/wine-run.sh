#!/usr/bin/env bash
# Runs a Windows executable under wine64 in the build tree's private prefix,
# on the Xvfb display that the wine fixture started.
# Usage: wine-run.sh <build dir> <program.exe> [args...]
#
# Once in a while wine64 dies at start-up without a word (seen under heavy
# load); a program that printed nothing at all is started once more. A
# program that printed anything keeps its result, so real failures stand.
set -uo pipefail
build=$1
shift
export WINEPREFIX="$build/wineprefix" WINEDEBUG=${WINEDEBUG:--all}
if [ -s "$build/wine-fixture/display" ]; then
  DISPLAY=":$(cat "$build/wine-fixture/display")"
  export DISPLAY
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
  /usr/lib/wine/wine64 "$@" 2>&1 | tee "$out"
  status=${PIPESTATUS[0]}
  if [ "$status" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 2 ]; then
    exit "$status"
  fi
  echo "wine-run: $1 ended with $status before printing anything; starting it once more" >&2
done
