#!/usr/bin/env python3
"""The layers of src, lowest first. A file may include files of its own
subsystem (its own folder, with or without ui/) or of a lower layer; every
subsystem has a layer of its own, so two subsystems can never include each
other. No file outside ui/, widgets/, shell/ and app/ includes a widget header.
A new folder under src must be given its place in LAYERS."""
import os
import re
import sys

# Lowest first: text on paper (fonts and PDF, no widgets), the logic of each
# subsystem, the shared widget helpers, the windows of each subsystem, the main
# window, the programs.
LAYERS = [
    "core",
    "paper",
    "filters", "import", "maintenance", "collectivity", "reports",
    "widgets",
    "filters/ui", "import/ui", "maintenance/ui", "collectivity/ui", "reports/ui",
    "shell",
    "app", "cli",
]
WIDGET_FREE_EXCEPT = ("widgets", "shell", "app")

WIDGET_HEADERS = {
    "QtWidgets", "QtPrintSupport", "QPrintDialog", "QPrintPreviewDialog", "QPrintPreviewWidget",
    "QPageSetupDialog", "QAbstractPrintDialog",
}
for base in ("/usr/include/x86_64-linux-gnu/qt6/QtWidgets", "/usr/include/aarch64-linux-gnu/qt6/QtWidgets",
             "/usr/include/qt6/QtWidgets"):
    if os.path.isdir(base):
        WIDGET_HEADERS.update(n for n in os.listdir(base) if n.startswith("Q") and "." not in n)
# Without the Qt headers installed, the widget classes the program uses.
WIDGET_HEADERS.update(
    "QWidget QDialog QApplication QMainWindow QMessageBox QFileDialog QInputDialog QColorDialog QFontDialog "
    "QLabel QPushButton QLineEdit QTableView QTreeView QListView QHeaderView QStyledItemDelegate QSplitter "
    "QMenu QMenuBar QToolBar QStatusBar QComboBox QCheckBox QRadioButton".split())

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    """The layer name of a file below src/, or None."""
    parts = os.path.relpath(path, "src").split(os.sep)
    if len(parts) > 2 and parts[1] == "ui":
        return parts[0] + "/ui"
    return parts[0]


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    os.chdir(root)
    rank = {name: i for i, name in enumerate(LAYERS)}
    failures = []
    for folder, _, files in sorted(os.walk("src")):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(folder, name)
            own = layer_of(path)
            if own not in rank:
                failures.append(f"{path}: folder {own} has no place in the layers (tests/layering_check.py)")
                continue
            subsystem = own.split("/")[0]
            widget_free = not own.endswith("/ui") and subsystem not in WIDGET_FREE_EXCEPT
            with open(path, encoding="utf-8", errors="replace") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    if kind == "<":
                        if widget_free and (target.split("/")[0] in WIDGET_HEADERS or
                                            target.split("/")[-1] in WIDGET_HEADERS):
                            failures.append(f"{path}: widget header <{target}> outside ui/, widgets/, shell/ "
                                            "and app/")
                        continue
                    local = os.path.normpath(os.path.join(folder, target))
                    if os.path.isfile(local):
                        resolved = local
                    elif os.path.isfile(os.path.join("src", target)):
                        resolved = os.path.join("src", target)
                    else:
                        continue  # a generated or test header: no layer
                    other = layer_of(resolved)
                    if other.split("/")[0] == subsystem and not (other.endswith("/ui") and
                                                                  not own.endswith("/ui")):
                        continue  # its own subsystem: the windows may use the logic, not the other way
                    if other not in rank or rank[other] > rank[own]:
                        failures.append(f'{path}: includes "{target}" from a higher layer ({resolved})')
    for failure in failures:
        print(failure)
    print("0 passed, 1 failed" if failures else "1 passed, 0 failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
