#!/usr/bin/env bash
# Builds Wirevane and starts it. Without a serial adapter attached (no ttyUSB/ttyACM device),
# the bundled device simulator is started first: it answers as an echoing device and appears
# in the port list. Extra arguments go to the simulator (for instance --meter).
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  cat <<'EOF'
Usage: bash scripts/run.sh [SIMULATOR OPTIONS]

Installs the build packages, builds Wirevane and starts it in the desktop session.
When no serial adapter (/dev/ttyUSB*, /dev/ttyACM*) is attached, the device simulator is
started first and appears in the port list (as wvsim0 unless another simulator runs);
the options given here go to it (default --echo), for instance:

  bash scripts/run.sh --lines --reply OK --reply-end cr

The simulator's options: build/dev/tools/wirevane-sim/wirevane-sim --help (once built).
EOF
}

# Answered before anything is installed or built, so a wrong start costs nothing.
for argument in "$@"; do
  case "$argument" in
    -h | --help)
      usage
      exit 0
      ;;
  esac
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no desktop session (DISPLAY and WAYLAND_DISPLAY are unset); start it from a" >&2
  echo "        desktop terminal, or set QT_QPA_PLATFORM (e.g. vnc) to choose another display." >&2
  exit 1
fi

bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target wirevane wirevane-sim

shopt -s nullglob
hardware=(/dev/ttyUSB* /dev/ttyACM*)
if [ ${#hardware[@]} -eq 0 ]; then
  # The simulator's first line on standard output is the path of its port; its messages go to
  # the terminal as they are.
  announced=$(mktemp)
  build/dev/tools/wirevane-sim/wirevane-sim "${@:---echo}" >"$announced" &
  simulator=$!
  trap 'kill "$simulator" 2>/dev/null || true; rm -f "$announced"' EXIT
  port=""
  for _ in $(seq 100); do
    if [ "$(wc -l <"$announced")" -gt 0 ]; then
      port=$(head -n 1 "$announced")
      break
    fi
    kill -0 "$simulator" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$port" ] || ! kill -0 "$simulator" 2>/dev/null; then
    echo "run.sh: the device simulator did not start (see its message above), so Wirevane is" >&2
    echo "        not started; build/dev/tools/wirevane-sim/wirevane-sim --help lists its options." >&2
    exit 1
  fi
  echo "run.sh: no serial adapter found; the device simulator runs as port ${port##*/} ($port)" >&2
fi
build/dev/app/main/wirevane
