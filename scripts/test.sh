#!/usr/bin/env bash
# Builds and runs every test: the normal build, the ASan + UBSan build, and the Windows build
# (cross-compiled with mingw-w64, its tests run under wine).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in dev asan windows; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
