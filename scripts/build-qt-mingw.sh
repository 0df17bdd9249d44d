#!/usr/bin/env bash
# Provides Qt for 64-bit Windows, cross-built with the project's mingw-w64 toolchain, in a cache
# folder outside the tree, and prints that folder on its last line.
#
# Debian ships no Qt for mingw-w64, but it ships the source of the Qt it uses, and its
# qt6-base-dev-tools gives the host tools (moc, rcc, uic) and Qt6HostInfo of the same version.
# In order:
#   1. the folder is complete already: nothing to do;
#   2. with --check, it only answers whether the folder is complete (exit status 1 if not);
#   3. WIREVANE_QT_MINGW_ARCHIVE names an existing archive of the same tree: it is unpacked;
#   4. otherwise the source is fetched with apt-get source and qtbase is built (~1,300 steps,
#      about 40 minutes of CPU time) and installed.
# The system's apt configuration is left alone: the deb-src entry is passed to apt-get alone.
set -euo pipefail

qt_version=6.4.2
debian_release=bookworm
project_dir=$(cd "$(dirname "$0")/.." && pwd)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/wirevane
prefix=$cache_root/qt-$qt_version-mingw
stamp=$prefix/.complete
jobs=${WIREVANE_QT_JOBS:-$(nproc)}

say() { echo "build-qt-mingw: $*" >&2; }

if [ -f "$stamp" ]; then
  say "Qt $qt_version for Windows is ready in $prefix"
  echo "$prefix"
  exit 0
fi
# --check: only whether the tree is there.
if [ "${1:-}" = "--check" ]; then
  say "no Qt $qt_version for Windows in $prefix"
  exit 1
fi
mkdir -p "$cache_root"
# A half-unpacked or half-installed tree from an interrupted run is never taken as complete.
rm -rf "$prefix"

archive=${WIREVANE_QT_MINGW_ARCHIVE:-}
if [ -n "$archive" ] && [ -f "$archive" ]; then
  say "unpacking $archive"
  unpack_dir=$(mktemp -d "$cache_root/unpack.XXXXXX")
  trap 'rm -rf "$unpack_dir"' EXIT
  tar -xJf "$archive" -C "$unpack_dir"
  top=$(find "$unpack_dir" -mindepth 1 -maxdepth 1 -type d)
  if [ "$(echo "$top" | wc -l)" -ne 1 ] || [ ! -f "$top/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    say "$archive does not hold one Qt tree with lib/cmake/Qt6"
    exit 1
  fi
  mv "$top" "$prefix"
  touch "$stamp"
  say "Qt $qt_version for Windows unpacked into $prefix"
  echo "$prefix"
  exit 0
fi

for tool in apt-get dpkg-source x86_64-w64-mingw32-g++-posix ninja cmake; do
  command -v "$tool" >/dev/null || { say "$tool is missing (run scripts/install-deps.sh)"; exit 1; }
done
host_info=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo/Qt6HostInfoConfig.cmake
[ -f "$host_info" ] || { say "Debian's qt6-base-dev-tools is missing ($host_info)"; exit 1; }

work=$cache_root/qtbase-$qt_version-work
mkdir -p "$work/sources.list.d" "$work/apt-lists"
started=$(date +%s)

find_source() { find "$work" -mindepth 1 -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n 1; }
source_dir=$(find_source)
if [ -z "$source_dir" ]; then
  say "fetching the source of Debian's qt6-base $qt_version"
  echo "deb-src http://deb.debian.org/debian $debian_release main" >"$work/sources.list.d/qt.list"
  apt_options=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$work/sources.list.d"
    -o "Dir::State::Lists=$work/apt-lists" -o "Dir::Cache::srcpkgcache=" -o "Dir::Cache::pkgcache=")
  apt-get "${apt_options[@]}" update >&2
  (cd "$work" && apt-get "${apt_options[@]}" source qt6-base >&2)
  source_dir=$(find_source)
  [ -n "$source_dir" ] || { say "apt-get source gave no qt6-base-$qt_version folder in $work"; exit 1; }
fi

say "configuring qtbase in $work/build"
cmake -S "$source_dir" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$project_dir/cmake/toolchains/x86_64-w64-mingw32.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_tabletevent=OFF >&2

say "building qtbase with $jobs jobs (about 40 minutes of CPU time)"
cmake --build "$work/build" --parallel "$jobs" >&2
cmake --install "$work/build" >&2
touch "$stamp"
say "Qt $qt_version for Windows built into $prefix in $((($(date +%s) - started) / 60)) min"
rm -rf "$work"
echo "$prefix"
