#!/usr/bin/env bash
# Formats every C++ source with the project's .clang-format, or with --check
# only reports the files that are not formatted and fails.
# Usage: scripts/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh clang-format-14
files=$(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--check" ]]; then
  # shellcheck disable=SC2086
  clang-format-14 --dry-run --Werror $files
  echo "format: $(echo "$files" | wc -l) files formatted as .clang-format says"
else
  # shellcheck disable=SC2086
  clang-format-14 -i $files
fi
