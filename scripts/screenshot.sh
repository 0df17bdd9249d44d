#!/usr/bin/env bash
# Regenerates the README's pictures (docs/main-window.png, docs/all-windows.png,
# docs/terminal-lone-cr.png, docs/terminal-long-line.png), offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target wirevane-shot
mkdir -p docs
build/dev/tools/wirevane-shot/wirevane-shot docs
echo "wrote docs/main-window.png, docs/all-windows.png, docs/terminal-lone-cr.png and docs/terminal-long-line.png"
