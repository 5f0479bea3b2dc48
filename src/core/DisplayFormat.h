#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace ostrapel {

// The program's locale: Dutch (Netherlands) on every machine, so amounts read
// 1.234,50 and dates dd-mm-yyyy whatever the system says.
QLocale programLocale();
void installProgramLocale();

// Amount display format of the lists: positive "1.234,50", negative "1.234,50-".
inline const QString kAmountFormat = QStringLiteral("#,##0.00;#,##0.00-");
inline const QString kDateFormat = QStringLiteral("dd-mm-yyyy");

// Formats a number by one of the display formats the program uses.
QString formatNumber(double value, const QString& displayFormat);
// Formats a date by a display format written with d, m and y ("dd-mm-yyyy").
QString formatDate(const QDate& date, const QString& displayFormat);

// Amount text of the detail panes and reports: "12,00 " or "12,00-".
QString amountText(double x);

} // namespace ostrapel
