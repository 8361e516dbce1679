#!/usr/bin/env bash
# Checks that every C++ source (.cpp, .h) under src, tests, tools, bench and fuzz is laid out as
# .clang-format says, and names the files that are not.
#   bash scripts/format-check.sh          exit status 1 when any file differs
#   bash scripts/format-check.sh --fix    formats them in place
set -euo pipefail
cd "$(dirname "$0")/.."
fix=0
case "${1:-}" in
  "") ;;
  --fix) fix=1 ;;
  *) echo "usage: bash scripts/format-check.sh [--fix]" >&2; exit 2 ;;
esac
# Other major versions break some lines differently, so only the one the style was tuned with counts.
tool=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$tool" ]; then
  echo "clang-format not found (bash scripts/install-deps.sh installs it)" >&2
  exit 2
fi
version=$("$tool" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
if [ "$version" != 14 ]; then
  echo "clang-format 14 is needed; $tool is version ${version:-unknown}" >&2
  exit 2
fi
mapfile -d '' files < <(find src tests tools bench fuzz -path tests/data -prune -o \
  \( -name '*.cpp' -o -name '*.h' \) -type f -print0 | sort -z)
if [ "$fix" = 1 ]; then
  "$tool" -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  "$tool" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "not formatted (bash scripts/format-check.sh --fix formats them):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "formatting: ${#files[@]} files checked"
