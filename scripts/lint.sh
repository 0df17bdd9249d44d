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
# ~/.cache/wirevane/lint. WIREVANE_LINT_CACHE=off checks every file.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${1:-$(nproc)}
build=build/lint
cache=${XDG_CACHE_HOME:-$HOME/.cache}/wirevane/lint

format_log=$(mktemp)
tidy_log=$(mktemp)
trap 'rm -f "$format_log" "$tidy_log"' EXIT

format_findings=0
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror 2>"$format_log"; then
  cat "$format_log"
  format_findings=$(grep -c ': error:' "$format_log" || true)
fi

cmake --preset dev -B "$build" -DWIREVANE_PCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER= \
  -DCMAKE_C_COMPILER_LAUNCHER= >/dev/null
mkdir -p "$cache"
# Prints the sources whose stamp is missing, each with the stamp it gets when found clean.
mapfile -t pending < <(python3 scripts/lint_pending.py "$build/compile_commands.json" "$PWD" \
  "$cache" "$(clang-tidy --version)")

# Each job checks one file and stamps it when clang-tidy reports nothing.
check_one() {
  local source=${1%$'\t'*} stamp=${1#*$'\t'} out
  out=$(clang-tidy -p "$build" --quiet "$source" 2>/dev/null || true)
  if grep -qE ': (warning|error):' <<<"$out"; then
    printf '%s\n' "$out"
  else
    touch "$stamp"
  fi
}
export -f check_one
export build
if [ ${#pending[@]} -gt 0 ]; then
  printf '%s\n' "${pending[@]}" |
    xargs -d '\n' -P "$jobs" -n 1 bash -c 'check_one "$0"' >"$tidy_log"
fi
tidy_findings=$(grep -cE ': (warning|error):' "$tidy_log" || true)
grep -E -A3 ': (warning|error):' "$tidy_log" || true

echo "clang-format: $format_findings finding(s); clang-tidy: $tidy_findings finding(s)" \
  "in ${#pending[@]} file(s) checked (the others unchanged since found clean)"
[ "$tidy_findings" -eq 0 ] && [ "$format_findings" -eq 0 ]
