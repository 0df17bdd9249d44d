#!/usr/bin/env bash
# Static checks: clang-format --dry-run over every C++ file git tracks, then clang-tidy (the checks
# of .clang-tidy) over our own sources. Prints the findings and exits non-zero when there is any.
# Usage: scripts/lint.sh [JOBS]
#
# clang-tidy reads a compile database of its own (build/lint, configured only, never built): the
# dev build's precompiled headers are GCC's, which clang cannot read. No source includes a
# generated file, so configuring is enough.
#
# A file that came out clean is not checked again while it, the project headers it includes, its
# compile command, .clang-tidy and clang-tidy itself stay the same: the stamps live under
# ~/.cache/wirevane/lint; removing that folder has every file checked again.
#
# WIREVANE_LINT_TIDY_DIRS, a list of folders, limits clang-tidy to the sources below them (the
# form is always checked whole). A window's source takes clang-tidy about fifteen seconds, a
# plain C++ one about three; the whole tree about 25 minutes on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-$(nproc)}
build=build/lint
cache=${XDG_CACHE_HOME:-$HOME/.cache}/wirevane/lint

format_log=$(mktemp)
tidy_log=$(mktemp)
trap 'rm -f "$format_log" "$tidy_log"' EXIT

# Form first: it takes seconds, and a misformatted tree is mended by clang-format -i at once.
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror 2>"$format_log"; then
  cat "$format_log"
  echo "clang-format: $(grep -c ': error:' "$format_log" || true) finding(s); clang-tidy not run"
  exit 1
fi

cmake --preset dev -B "$build" -DWIREVANE_PCH=OFF >/dev/null
mkdir -p "$cache"
# Stamps of files long changed would pile up; an old stamp still in use only costs one check.
find "$cache" -type f -mtime +30 -delete
# Prints the sources whose stamp is missing, each with the stamp it gets when found clean.
mapfile -t pending < <(python3 scripts/lint_pending.py "$build/compile_commands.json" "$PWD" \
  "$cache" "$(clang-tidy --version)")
if [ -n "${WIREVANE_LINT_TIDY_DIRS:-}" ]; then
  read -ra tidy_dirs <<<"$WIREVANE_LINT_TIDY_DIRS"
  scoped=()
  for entry in "${pending[@]}"; do
    for dir in "${tidy_dirs[@]}"; do
      if [[ $entry == "$PWD/${dir%/}/"* ]]; then
        scoped+=("$entry")
        break
      fi
    done
  done
  pending=("${scoped[@]}")
fi

# Each job checks one file: clean (clang-tidy succeeded and said nothing) stamps it, anything
# else prints what clang-tidy said under a line that names the file.
check_one() {
  local source=${1%$'\t'*} stamp=${1#*$'\t'} out
  if out=$(clang-tidy -p "$build" --quiet "$source" 2>&1) &&
    ! grep -qE ': (warning|error):' <<<"$out"; then
    touch "$stamp"
  else
    printf '== not clean: %s\n%s\n' "$source" "$out"
  fi
}
export -f check_one
export build
if [ ${#pending[@]} -gt 0 ]; then
  printf '%s\n' "${pending[@]}" |
    xargs -d '\n' -P "$jobs" -n 1 bash -c 'check_one "$0"' >"$tidy_log"
fi
grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$tidy_log" || true
unclean=$(grep -c '^== not clean: ' "$tidy_log" || true)
echo "clang-format: clean; clang-tidy: $unclean of ${#pending[@]} file(s) checked not clean" \
  "(the others unchanged since found clean)"
[ "$unclean" -eq 0 ]
