#!/usr/bin/env bash
# Message boxes and file dialogs go through the prompts facade only, so tests can answer them.
cd "$(dirname "$0")/.."
hits=$(grep -rln -E '\bQ(MessageBox|FileDialog)\b' src --include='*.cpp' --include='*.h' | grep -v '^src/shell/QtPrompts\.cpp$' || true)
if [[ -n "$hits" ]]; then
  echo "QMessageBox or QFileDialog outside src/shell/QtPrompts.cpp:"
  echo "$hits"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
