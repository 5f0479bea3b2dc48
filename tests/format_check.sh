#!/usr/bin/env bash
# The sources are laid out by .clang-format; `cmake --build build --target format` fixes a drift.
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "clang-format is missing (scripts/setup-deps installs it)"
  echo "0 passed, 1 failed"
  exit 1
fi
mapfile -t files < <(find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | sort)
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "Not laid out by .clang-format: run clang-format -i on the files above."
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
