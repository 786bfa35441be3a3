#!/usr/bin/env bash
# Formats (or with --check, verifies) every tracked C++ source against .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.h' '*.cpp')
[ ${#files[@]} -gt 0 ] || exit 0
if [ "${1:-}" = "--check" ]; then
    clang-format --dry-run -Werror "${files[@]}"
    echo "format: ${#files[@]} files clean"
else
    clang-format -i "${files[@]}"
fi
