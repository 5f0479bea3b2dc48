#include "AppIcon.h"

#include "ShellTexts.h"

#include <QApplication>
#include <QPainter>

namespace ostrapel {

namespace {

QPixmap draw(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(QPen(QColor(0x1f, 0x4e, 0x79), 3));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 4, 44, 56), 3, 3);
    p.fillRect(QRectF(7.5, 5.5, 41, 10.5), QColor(0x2e, 0x75, 0xb6));
    p.setPen(QPen(QColor(0x7f, 0x9f, 0xbf), 2));
    for (int y : {24, 31, 38})
        p.drawLine(13, y, 43, y);
    p.drawLine(13, 45, 33, 45);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawEllipse(QPointF(48, 48), 12, 12);
    QFont f;
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(36, 36, 24, 24), Qt::AlignCenter, QString(QChar(0x20AC)));
    return pm;
}

} // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(draw(size));
    return icon;
}

void setApplicationIdentity() {
    QApplication::setApplicationName(ShellTexts::AppTitle);
    QApplication::setWindowIcon(applicationIcon());
}

} // namespace ostrapel
