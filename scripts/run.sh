#!/usr/bin/env bash
# Builds Wirevane and starts it. Without a serial adapter attached (no ttyUSB/ttyACM device),
# the bundled device simulator is started first: it answers as an echoing device and appears
# in the port list as wvsim0. Extra arguments go to the simulator (for instance --meter).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target wirevane wirevane-sim

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no desktop session (DISPLAY and WAYLAND_DISPLAY are unset); start it from a" >&2
  echo "        desktop terminal, or set QT_QPA_PLATFORM (e.g. vnc) to choose another display." >&2
  exit 1
fi

simulator=""
shopt -s nullglob
hardware=(/dev/ttyUSB* /dev/ttyACM*)
if [ ${#hardware[@]} -eq 0 ]; then
  build/dev/tools/wirevane-sim/wirevane-sim "${@:---echo}" >/dev/null &
  simulator=$!
  trap 'kill "$simulator" 2>/dev/null || true' EXIT
  echo "run.sh: no serial adapter found; the device simulator runs as port wvsim0" >&2
fi
build/dev/app/main/wirevane
