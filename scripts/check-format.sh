#!/usr/bin/env bash
# Checks that every C++ file of the tree is as clang-format (the .clang-format at the root) writes it.
# Usage: scripts/check-format.sh [CLANG_FORMAT]   (fix with: clang-format -i FILE)
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${1:-clang-format}
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
[ -n "$files" ] || { echo "no C++ files found" >&2; exit 1; }
# shellcheck disable=SC2086
"$clang_format" --dry-run --Werror $files
echo "$(echo "$files" | wc -l) files formatted as .clang-format asks"
