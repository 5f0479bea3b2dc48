#include "ProgressWindow.h"

#include "widgets/ShowPainted.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <exception>
#include <memory>

namespace ostrapel {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint), label_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    setFixedWidth(360);
}

void ProgressWindow::begin(const QString& title) {
    setWindowTitle(title);
    label_->setText(title);
    bar_->setRange(0, 0); // busy until a step gives a position
    QApplication::setOverrideCursor(Qt::WaitCursor);
    showPainted(this);
}

void ProgressWindow::step(const QString& text, int position, int maximum) {
    label_->setText(text);
    bar_->setRange(0, std::max(1, maximum));
    bar_->setValue(position);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::whileBusy(const std::function<void()>& work) {
    bar_->setRange(0, 0);
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
