#include "ShowPainted.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWidget>
#include <QWindow>

namespace ostrapel {

void showPainted(QWidget* window) {
    window->show();
    // Bounded: a window manager that never maps the window must not hang the program.
    const QDeadlineTimer deadline(500);
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace ostrapel
