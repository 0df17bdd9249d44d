#!/bin/sh
# Runs a Windows program of the build under wine, for ctest: wine-test-runner.sh WINE PROGRAM ARGS.
# A program that makes a window has wine start its desktop process, which inherits the program's
# output and outlives it by many seconds; ctest waits until every holder of a test's output has
# let go, so each such test took 15-20 s instead of a fraction of one. The output goes through
# files instead, and only this script's own output reaches ctest.
wine=$1
shift
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
"$wine" "$@" >"$dir/out" 2>"$dir/err" </dev/null
status=$?
cat "$dir/out"
cat "$dir/err" >&2
exit $status
