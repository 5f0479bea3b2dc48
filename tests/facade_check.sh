#!/usr/bin/env bash
# Message boxes and the standard dialogs go through the prompts facade only, so tests can answer them.
cd "$(dirname "$0")/.."
hits=$(grep -rln -E '\bQ(MessageBox|FileDialog|InputDialog|PrintDialog|ColorDialog)\b' src --include='*.cpp' --include='*.h' |
  grep -v '^src/shell/QtPrompts\.cpp$' || true)
if [[ -n "$hits" ]]; then
  echo "QMessageBox, QFileDialog, QInputDialog, QPrintDialog or QColorDialog outside src/shell/QtPrompts.cpp:"
  echo "$hits"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
