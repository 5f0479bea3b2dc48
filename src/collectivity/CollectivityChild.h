#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QString>

class QAction;
class QMenu;

namespace ostrapel {

// What the main window needs of a collectivity window: its identity, the menus
// it lends to the main window's toolbar, and storing its own state.
class CollectivityChild {
public:
    virtual ~CollectivityChild() = default;
    virtual CollectivityKey collectivity() const = 0;
    virtual InsuranceType insuranceType() const = 0;
    QString windowKey() const { return collectivity().windowKey(); }

    virtual QMenu* statementMenu() const { return nullptr; }
    virtual QMenu* reportMenu() const { return nullptr; }
    virtual QMenu* exportMenu() const { return nullptr; }
    virtual QMenu* optionsMenu() const { return nullptr; }
    virtual QAction* filterAction() const { return nullptr; }
    // Ctrl+F: the focus to the search box.
    virtual void focusSearch() {}
    // F5: the lists and menus read anew.
    virtual void reload() {}
    virtual void loadWindowState() {}
    virtual void saveWindowState() {}
};

} // namespace ostrapel
