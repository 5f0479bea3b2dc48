#include "SplashDialog.h"

#include "ShellTexts.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#ifndef OSTRAPEL_VERSION
#define OSTRAPEL_VERSION "1.0.0"
#endif
#ifndef OSTRAPEL_FILE_VERSION
#define OSTRAPEL_FILE_VERSION "1.0.0.0"
#endif

namespace ostrapel {

namespace {

// The picture: the product name on a calm blue field with a ledger motif that
// ends above the text band starting at textTop.
QPixmap splashPicture(QSize size, int textTop) {
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    g.setColorAt(1, QColor(0x2e, 0x75, 0xb6));
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int y = 150; y < textTop - 4; y += 14)
        p.drawLine(40, y, size.width() - 40, y);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPointSize(30);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 40, size.width(), 60), Qt::AlignCenter, ShellTexts::ProductName);
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 100, size.width(), 24), Qt::AlignCenter,
               QStringLiteral("Borderellen van uw collectiviteit"));
    return pm;
}

} // namespace

QString SplashDialog::infoText() {
    return QStringLiteral("%1 %2 [%3, Build: %4]")
        .arg(ShellTexts::ProductName, QStringLiteral(OSTRAPEL_VERSION), ShellTexts::LegalNotice,
             QStringLiteral(OSTRAPEL_FILE_VERSION));
}

SplashDialog::SplashDialog(Mode mode, QWidget* parent)
    : QDialog(parent), lblInfo(new QLabel(infoText(), this)),
      lblSplashMessage(new QLabel(ShellTexts::SplashLoading, this)) {
    const QSize size(519, 325);
    const int textTop = size.height() - 70;
    auto* picture = new QLabel(this);
    picture->setPixmap(splashPicture(size, textTop));
    picture->setGeometry(0, 0, size.width(), size.height());
    for (QLabel* l : {lblInfo, lblSplashMessage}) {
        l->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        l->setAlignment(Qt::AlignCenter);
    }
    picture->lower(); // the labels stand on the picture
    lblInfo->setGeometry(10, textTop, size.width() - 20, 22);
    lblSplashMessage->setGeometry(10, size.height() - 40, size.width() - 20, 22);
    setFixedSize(size);
    if (mode == Mode::Splash) {
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->geometry().center() - QPoint(size.width() / 2, size.height() / 2));
        qApp->installEventFilter(this);
    } else {
        setWindowTitle(ShellTexts::About.left(ShellTexts::About.size() - 4));
        lblSplashMessage->hide();
        setModal(true);
    }
}

bool SplashDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
        const auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && w->windowType() != Qt::ToolTip && w->windowType() != Qt::Popup) {
            qApp->removeEventFilter(this);
            hide();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SplashDialog::setStatus(const QString& text) {
    lblSplashMessage->setText(text);
    lblSplashMessage->repaint();
}

} // namespace ostrapel
