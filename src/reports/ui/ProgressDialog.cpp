#include "ProgressDialog.h"

#include "reports/ReportTexts.h"
#include "widgets/ShowPainted.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace ostrapel {

ProgressDialog::ProgressDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgProgress"));
    setWindowTitle(ReportTexts::Voortgang);
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

void ProgressDialog::start(const QString& caption) {
    setWindowTitle(caption);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
    showPainted(this);
}

void ProgressDialog::setMessage(const QString& text) {
    lblMessage->setText(text);
    lblMessage->repaint();
}

void ProgressDialog::setMaximum(int maximum) {
    progressBar->setMaximum(maximum);
    progressBar->repaint();
}

void ProgressDialog::setPosition(int value) {
    progressBar->setValue(value == -1 ? progressBar->value() + 1 : value);
    progressBar->repaint();
}

void ProgressDialog::setAnimated(bool on) {
    // A search picture stands for the find-file animation: nothing animates
    // while the report keeps the event loop waiting.
    animation->setPixmap(on ? style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32)
                            : QPixmap());
    animation->repaint();
}

void ProgressDialog::finish() {
    hide();
}

} // namespace ostrapel
