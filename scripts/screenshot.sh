#!/usr/bin/env bash
# Regenerates the README's pictures offscreen: docs/main-window.png, docs/all-windows.png,
# docs/terminal-lone-cr.png and docs/terminal-long-line.png in Japanese, docs/main-window-en.png
# and docs/all-windows-en.png in English.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target wirevane-shot
mkdir -p docs
# The pictures follow the locale as the program does; LANGUAGE would outrank LANG.
LANGUAGE= LC_ALL= LANG=ja_JP.UTF-8 build/dev/tools/wirevane-shot/wirevane-shot docs
LANGUAGE= LC_ALL= LANG=en_US.UTF-8 build/dev/tools/wirevane-shot/wirevane-shot docs
echo "wrote docs/main-window.png, docs/all-windows.png, docs/terminal-lone-cr.png, docs/terminal-long-line.png, docs/main-window-en.png and docs/all-windows-en.png"
