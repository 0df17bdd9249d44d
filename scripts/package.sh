#!/usr/bin/env bash
# Builds the Debian package build/dev/wirevane_VERSION_ARCH.deb from the dev build, building only
# what goes into it, and checks its menu entry and AppStream record with the validators.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev --target wirevane wirevane-run wirevane-sim wirevane_icons \
  wirevane_man_pages
cpack --config build/dev/CPackConfig.cmake -B build/dev
desktop-file-validate packaging/wirevane.desktop
appstreamcli validate --no-net packaging/org.wirevane.wirevane.metainfo.xml
ls -l build/dev/wirevane_*.deb
