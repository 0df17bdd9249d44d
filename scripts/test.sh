#!/usr/bin/env bash
# Builds and runs every test: the normal build, the ASan + UBSan build, a short run of each
# fuzz target (clang, libFuzzer, ASan + UBSan), and the Windows build
# (cross-compiled with mingw-w64, its tests run under wine; with the windows, their GUI tests and
# the installer when Qt for Windows is there).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# A clone in any folder hits the same compiler cache: paths below the repository are hashed
# relative to it, and the working folder is not hashed into the debug information.
export CCACHE_BASEDIR=$PWD
export CCACHE_NOHASHDIR=1
# Qt for Windows from the cache, or unpacked from WIREVANE_QT_MINGW_ARCHIVE; building it from
# source takes 40 minutes of CPU time, so that is left to scripts/build-qt-mingw.sh run by hand.
if [ -n "${WIREVANE_QT_MINGW_ARCHIVE:-}" ] || [ -n "${WIREVANE_BUILD_QT_MINGW:-}" ]; then
  bash scripts/build-qt-mingw.sh >/dev/null
fi
if ! bash scripts/build-qt-mingw.sh --check >/dev/null 2>&1; then
  echo "== no Qt for Windows (scripts/build-qt-mingw.sh makes it): the windows stage builds without the windows"
fi
# CI fails on any compiler warning; elsewhere a warning from another compiler version is only
# shown. Passed every time so that a build folder follows the environment it runs in.
werror=OFF
[ -z "${CI:-}" ] || werror=ON
for preset in dev asan fuzz windows; do
  echo "== $preset build"
  cmake --preset "$preset" -DWIREVANE_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
