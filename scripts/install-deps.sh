#!/usr/bin/env bash
# Installs what building, testing and running Wirevane needs on Debian 12. Safe to run again:
# it only calls apt-get when a package is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-l10n-tools
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic fonts-dejavu-core python3 python3-serial
  dpkg-dev librsvg2-bin desktop-file-utils appstream groff-base
  clang-tidy clang-format
  # The fuzz targets: clang and its libFuzzer.
  clang libclang-rt-14-dev
  # Only for the Windows check: the cross-compilers, and wine to run their tests.
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64
  # The Windows program: its installer, and the X server (with a window manager) its tests under
  # wine draw on.
  nsis xvfb xdotool openbox imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
