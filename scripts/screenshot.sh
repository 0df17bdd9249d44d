#!/usr/bin/env bash
# Regenerates docs/main-window.png, the README's picture of the main window, offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target wirevane-shot
mkdir -p docs
build/dev/tools/wirevane-shot/wirevane-shot docs/main-window.png
echo "wrote docs/main-window.png"
