#!/usr/bin/env bash
# Refreshes translations/wirevane_en.ts from the sources: new texts are added unfinished, texts
# no longer in the sources are marked obsolete, translations already made are kept.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lupdate="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
cd "$root"
"$lupdate" -locations relative -source-language ja -target-language en \
  app buttons commands grid serial terminal \
  -I "$root" -ts translations/wirevane_en.ts "$@"
