#include "CollectivityKeyRouter.h"

#include "CollectivityWindow.h"
#include "DetailPane.h"
#include "ListPane.h"
#include "StatementGrid.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace ostrapel {

CollectivityKeyRouter::CollectivityKeyRouter(CollectivityWindow& window) : window_(window) {
    pause_.setSingleShot(true);
    pause_.setInterval(700);
    connect(&pause_, &QTimer::timeout, this, [this] {
        window_.state_.setPaused(true);
        window_.setPausedLook(true);
    });
}

bool CollectivityKeyRouter::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    CollectivityWindow& w = window_;
    const int active = std::max(w.ring_.active(), 0);
    const bool list = GridRing::isList(active);
    const bool persons = GridRing::isPersonsSide(active);
    auto startPause = [this, &w] {
        if (!pause_.isActive() && !w.state_.paused()) pause_.start();
    };
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (persons && !w.state_.personsSide().sortField.isEmpty()) w.search();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        startPause();
        w.moveActive(key == Qt::Key_PageUp ? -10 : 10);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        startPause();
        if (list)
            w.moveActive(key == Qt::Key_Up ? -1 : 1);
        else
            w.pane(persons)->detail()->moveSelection(key == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (list)
            w.moveActive(key == Qt::Key_Home ? -1000000 : 1000000);
        else
            w.pane(persons)->detail()->selectEdge(key == Qt::Key_End);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (modifiers & Qt::ControlModifier) {
            w.activateGrid(w.ring_.neighbour(key == Qt::Key_Right));
            return true;
        }
        if (!list) return false; // left to the search box
        {
            StatementGrid* g = w.pane(persons)->grid();
            const int column = std::clamp(g->currentIndex().column() + (key == Qt::Key_Left ? -1 : 1), 0,
                                          g->model()->columnCount() - 1);
            g->setCurrentIndex(g->model()->index(std::max(g->currentIndex().row(), 0), column));
        }
        return true;
    case Qt::Key_F4:
        if (!list) return false;
        w.pickSortField();
        return true;
    case Qt::Key_F8:
        w.detailsAction(persons)->trigger();
        return true;
    default:
        return false;
    }
}

bool CollectivityKeyRouter::eventFilter(QObject* watched, QEvent* event) {
    CollectivityWindow& w = window_;
    if (watched != w.editVerzZoeken_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->keyCombination() == w.actClose->shortcut()[0]) {
        return true; // left unaccepted: Ctrl+X closes the window instead of cutting text
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool handled = true; // a key whose command failed is consumed as well
        w.runCommand([&] { handled = handleKey(key->key(), key->modifiers()); });
        if (handled) return true;
    } else if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        pause_.stop();
        if (w.state_.paused()) {
            w.state_.setPaused(false); // follows the row reached
            w.setPausedLook(false);
            w.runCommand([&w] { w.showPerson(); });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ostrapel
