#include "DisplayFormat.h"

#include <cmath>

namespace ostrapel {

QLocale programLocale() {
    return QLocale(QLocale::Dutch, QLocale::Netherlands);
}

void installProgramLocale() {
    QLocale::setDefault(programLocale());
}

namespace {

// Rounded to two decimals before the sign is taken, so -0,001 reads 0,00.
QString twoDecimals(double value, QString* sign) {
    const double rounded = std::round(value * 100.0) / 100.0;
    *sign = rounded < 0 ? QStringLiteral("-") : QString();
    return programLocale().toString(std::fabs(rounded), 'f', 2);
}

} // namespace

QString formatNumber(double value, const QString& displayFormat) {
    if (displayFormat == kAmountFormat) {
        QString sign;
        const QString digits = twoDecimals(value, &sign);
        return digits + sign;
    }
    return programLocale().toString(value, 'g', 15);
}

QString formatDate(const QDate& date, const QString& displayFormat) {
    if (!date.isValid()) return {};
    QString qtFormat = displayFormat;
    qtFormat.replace(QStringLiteral("mm"), QStringLiteral("MM"));
    return date.toString(qtFormat.isEmpty() ? QStringLiteral("dd-MM-yyyy") : qtFormat);
}

QString amountText(double x) {
    QString sign;
    const QString digits = twoDecimals(x, &sign);
    return digits + (sign.isEmpty() ? QStringLiteral(" ") : sign);
}

} // namespace ostrapel
