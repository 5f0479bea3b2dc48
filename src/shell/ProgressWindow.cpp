#include "ProgressWindow.h"

#include "widgets/ShowPainted.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

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
    bar_->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    showPainted(this);
}

void ProgressWindow::step(const QString& text, int position, int maximum) {
    label_->setText(text);
    bar_->setMaximum(std::max(1, maximum));
    bar_->setValue(position);
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::end() {
    QApplication::restoreOverrideCursor();
    hide();
}

} // namespace ostrapel
