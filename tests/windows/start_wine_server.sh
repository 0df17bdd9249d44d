#!/bin/sh
# Makes the wine prefix once and leaves a persistent server for the tests that follow. The tests'
# listing has just run the programs under wine, and its server may still be going: -k only asks it
# to end, and one that is still letting go of its lock refuses the persistent server's start, so
# the start is tried again until the old one is gone.
# No wine program here may hold this test's output: ctest waits for every holder of it, so a
# server or a wait that outlives the script would hold the whole run.
mkdir -p "$WINEPREFIX"
tries=0
until wineserver -p >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ "$tries" -ge 50 ]; then
    echo "a wine server for $WINEPREFIX would not end" >&2
    exit 1
  fi
  wineserver -k >/dev/null 2>&1
  timeout 10 wineserver -w >/dev/null 2>&1
  sleep 0.2
done
exec wineboot --init >/dev/null 2>&1
