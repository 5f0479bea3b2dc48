#!/usr/bin/env bash
# The layers of src, lowest first: core; every other folder is a subsystem
# whose ui/ folder sits above its logic, with widgets/ (widget helpers shared by
# the windows) between the two; then shell; then app and cli. A file includes
# files of its own layer or a lower one, and no file outside ui/, widgets/,
# shell/ and app/ includes a widget header. Folders are judged by name only,
# so a new subsystem needs no change here.
cd "$(dirname "$0")/.."

# The widget classes: the headers of QtWidgets and the dialogs of QtPrintSupport.
widgets=" QtWidgets QtPrintSupport QPrintDialog QPrintPreviewDialog QPrintPreviewWidget QPageSetupDialog "
widgets+="QAbstractPrintDialog QWidget QDialog QApplication QMainWindow QMessageBox QFileDialog QInputDialog "
widgets+="QColorDialog QFontDialog QLabel QPushButton QLineEdit QTableView QTreeView QListView QHeaderView "
widgets+="QStyledItemDelegate QSplitter QMenu QMenuBar QToolBar QStatusBar QComboBox QCheckBox QRadioButton "
for dir in /usr/include/*/qt6/QtWidgets /usr/include/qt6/QtWidgets; do
  [[ -d $dir ]] || continue
  for header in "$dir"/Q*; do
    name=${header##*/}
    [[ $name == *.* ]] || widgets+="$name "
  done
done

# rank FILE: the layer of a file under src/
rank() {
  local rest=${1#src/}
  local top=${rest%%/*}
  case $top in
  core) echo 0 ;;
  widgets) echo 15 ;;
  shell) echo 30 ;;
  app | cli) echo 40 ;;
  *) if [[ $rest == "$top"/ui/* ]]; then echo 20; else echo 10; fi ;;
  esac
}

failures=0
report() {
  echo "$1"
  failures=$((failures + 1))
}

while IFS= read -r file; do
  rest=${file#src/}
  top=${rest%%/*}
  own=$(rank "$file")
  logic=1
  [[ $rest == */ui/* || $top == widgets || $top == shell || $top == app ]] && logic=0
  while IFS= read -r line; do
    if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^>]+)\> ]]; then
      name=${BASH_REMATCH[1]}
      if ((logic)) && { [[ $widgets == *" ${name%%/*} "* ]] || [[ $widgets == *" ${name##*/} "* ]]; }; then
        report "$file: widget header <${BASH_REMATCH[1]}> outside ui/, widgets/, shell/ and app/"
      fi
    elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      target=${BASH_REMATCH[1]}
      local_path=$(dirname "$file")/$target
      if [[ -f $local_path ]]; then
        resolved=$(realpath --relative-to=. -m "$local_path")
      elif [[ -f src/$target ]]; then
        resolved=src/$target
      else
        continue # a generated or test header: no layer
      fi
      [[ $resolved == src/* ]] || continue
      if (($(rank "$resolved") > own)); then
        report "$file: includes \"$target\" from a higher layer ($resolved)"
      fi
    fi
  done <"$file"
done < <(find src -name '*.cpp' -o -name '*.h' | sort)

if ((failures)); then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
