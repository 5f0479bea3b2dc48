#include "MarkerImages.h"

#include <QPainter>
#include <QPainterPath>

namespace ostrapel {

namespace {

QPixmap draw(int index) {
    QPixmap pm(13, 13);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: { // a person with a star: the main insured
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x4e, 0x79));
        p.drawEllipse(QRectF(3.5, 0.5, 6, 6));
        QPainterPath body;
        body.moveTo(0.5, 12.5);
        body.cubicTo(0.5, 7.0, 12.5, 7.0, 12.5, 12.5);
        body.closeSubpath();
        p.drawPath(body);
        break;
    }
    default: { // a coloured disc with the origin's letter
        static const QColor colours[] = {QColor(0x2e, 0x8b, 0x57), QColor(0xd9, 0x82, 0x1c),
                                         QColor(0x7b, 0x3f, 0xa0)};
        static const char letters[] = {'P', 'M', 'H'};
        const int i = std::clamp(index - 1, 0, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawRoundedRect(QRectF(0.5, 0.5, 12, 12), 3, 3);
        QFont f;
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 13, 13), Qt::AlignCenter, QString(QChar::fromLatin1(letters[i])));
        break;
    }
    }
    return pm;
}

} // namespace

QPixmap markerImage(int index) {
    static QPixmap cache[4];
    if (index < 0 || index > 3) return {};
    if (cache[index].isNull()) cache[index] = draw(index);
    return cache[index];
}

} // namespace ostrapel
