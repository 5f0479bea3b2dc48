#include "ProgressWindow.h"

#include "ShowPainted.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <memory>

namespace ostrapel {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgProgress"));
    setWindowTitle(QStringLiteral("Voortgang"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint);
    Animate1 = new QLabel(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->setFixedSize(48, 50);
    Animate1->setAlignment(Qt::AlignCenter);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setMinimumWidth(260);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(Animate1);
    top->addWidget(lblMessage, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ProgressBar1);
    setFixedSize(sizeHint());
}

void ProgressWindow::begin(const QString& caption) {
    setWindowTitle(caption);
    lblMessage->setText(caption);
    ProgressBar1->setRange(0, 0); // busy until the run gives a maximum
    ProgressBar1->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
    showPainted(this);
}

void ProgressWindow::setText(const QString& text) {
    lblMessage->setText(text);
    lblMessage->repaint();
}

void ProgressWindow::setMaximum(int maximum) {
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->repaint();
}

void ProgressWindow::setPosition(int value) {
    ProgressBar1->setValue(value == -1 ? ProgressBar1->value() + 1 : value);
    ProgressBar1->repaint();
}

void ProgressWindow::setAnimated(bool on) {
    // A search picture stands for the find-file animation: nothing animates
    // while the work keeps the event loop waiting.
    Animate1->setPixmap(on ? style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32)
                           : QPixmap());
    Animate1->repaint();
}

void ProgressWindow::step(const QString& text, int position, int maximum) {
    lblMessage->setText(text);
    ProgressBar1->setRange(0, std::max(1, maximum));
    ProgressBar1->setValue(position);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::whileBusy(const std::function<void()>& work) {
    ProgressBar1->setRange(0, 0);
    std::exception_ptr failure;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    if (!thread->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    if (failure) std::rethrow_exception(failure);
}

void ProgressWindow::end() {
    QApplication::restoreOverrideCursor();
    hide();
}

} // namespace ostrapel
