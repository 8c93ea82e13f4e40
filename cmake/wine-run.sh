#!/usr/bin/env bash
# Runs a Windows program (mostly a test) under wine64 in the build tree's
# private prefix, on the Xvfb display that the wine fixture started.
# Usage: wine-run.sh <build dir> <program.exe> [args...]
#
# Two kinds of second chance, both said out loud:
# - wine64 sometimes dies at start-up without a word (seen under heavy load):
#   a program that printed nothing at all is started once more.
# - Tests (GoogleTest programs) that drive real windows can lose a timing
#   race with Wine on a busy machine. The test cases that failed run once
#   more in a fresh process; the first attempt's output stays in the log and
#   is copied to <build dir>/test-retries/, which scripts/test reports. A
#   case that fails twice fails the test.
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

run_once() {
  /usr/lib/wine/wine64 "$@" 2>&1 | tee "$out"
  return "${PIPESTATUS[0]}"
}

run_once "$@"
status=$?
[ "$status" -eq 0 ] && exit 0

name=$(basename "$1" .exe)
if [ ! -s "$out" ]; then
  echo "wine-run: $name ended with $status before printing anything; starting it once more" >&2
  run_once "$@"
  exit $?
fi

# Only test programs get a second attempt; any other program keeps its result.
grep -q '^\[==========\]' "$out" || exit "$status"

# The names of the failed cases, as gtest lists them at the end.
failed=$(grep -E '^\[  FAILED  \] [A-Za-z0-9_./]+ \([0-9]+ ms\)' "$out" | awk '{print $4}' | sort -u | paste -sd: -)
mkdir -p "$build/test-retries"
{
  echo "first attempt of $name ended with $status; failed: ${failed:-the whole program}"
  cat "$out"
} >"$build/test-retries/$name.txt"
echo "wine-run: $name ended with $status; running ${failed:-all of it} once more" >&2
if [ -n "$failed" ]; then
  run_once "$@" "--gtest_filter=$failed"
else
  run_once "$@"
fi
status=$?
if [ "$status" -eq 0 ]; then
  echo "second attempt passed" >>"$build/test-retries/$name.txt"
else
  echo "second attempt failed too (exit $status)" >>"$build/test-retries/$name.txt"
fi
exit "$status"
