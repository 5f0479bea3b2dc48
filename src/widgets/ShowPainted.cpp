#include "ShowPainted.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace ostrapel {

void showPainted(QWidget* window) {
    window->show();
    // Bounded: a window manager that never maps the window must not hang the program.
    const QDeadlineTimer deadline(500);
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5); // the window system answers in its own time: no busy loop
    }
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace ostrapel
