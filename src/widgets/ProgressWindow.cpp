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
    animation = new QLabel(this);
    animation->setObjectName(QStringLiteral("Animate1"));
    animation->setFixedSize(48, 50);
    animation->setAlignment(Qt::AlignCenter);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setMinimumWidth(260);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(animation);
    top->addWidget(lblMessage, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(progressBar);
    setFixedSize(sizeHint());
}

void ProgressWindow::begin(const QString& caption) {
    setWindowTitle(caption);
    lblMessage->setText(caption);
    progressBar->setRange(0, 0); // busy until the run gives a maximum
    progressBar->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
    showPainted(this);
}

void ProgressWindow::setText(const QString& text) {
    lblMessage->setText(text);
    lblMessage->repaint();
}

void ProgressWindow::setMaximum(int maximum) {
    progressBar->setMaximum(maximum);
    progressBar->repaint();
}

void ProgressWindow::setPosition(int value) {
    progressBar->setValue(value == -1 ? progressBar->value() + 1 : value);
    progressBar->repaint();
}

void ProgressWindow::setAnimated(bool on) {
    // A search picture stands for the find-file animation: nothing animates
    // while the work keeps the event loop waiting.
    animation->setPixmap(on ? style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32)
                            : QPixmap());
    animation->repaint();
}

void ProgressWindow::step(const QString& text, int position, int maximum) {
    lblMessage->setText(text);
    progressBar->setRange(0, std::max(1, maximum));
    progressBar->setValue(position);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::whileBusy(const std::function<void()>& work) {
    progressBar->setRange(0, 0);
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
