#!/usr/bin/env bash
# Static checks: clang-tidy (the checks of .clang-tidy) over every source file of the dev build's
# compile database, and clang-format --dry-run over every C++ file git tracks. Prints the
# findings and exits non-zero when there is any. Usage: scripts/lint.sh [BUILD_DIR] [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
jobs=${2:-$(nproc)}
[ -f "$build/compile_commands.json" ] || cmake --preset dev >/dev/null

# Our own sources only: moc, rcc and the other generated files live under the build folder.
mapfile -t sources < <(python3 - "$build/compile_commands.json" "$PWD" <<'PY'
import json, sys
root = sys.argv[2] + "/"
for entry in json.load(open(sys.argv[1])):
    path = entry["file"]
    if path.startswith(root) and "/build/" not in path[len(root) - 1:]:
        print(path)
PY
)

log=$(mktemp)
trap 'rm -f "$log"' EXIT
printf '%s\n' "${sources[@]}" | sort -u |
  xargs -P "$jobs" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null >"$log" || true
tidy_findings=$(grep -cE ': (warning|error):' "$log" || true)
grep -E -A3 ': (warning|error):' "$log" || true

format_findings=0
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror 2>"$log"; then
  cat "$log"
  format_findings=$(grep -c ': error:' "$log" || true)
fi

echo "clang-tidy: $tidy_findings finding(s) in ${#sources[@]} files; clang-format: $format_findings"
[ "$tidy_findings" -eq 0 ] && [ "$format_findings" -eq 0 ]
