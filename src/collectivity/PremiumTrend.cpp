#include "PremiumTrend.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/DisplayFormat.h"
#include "core/SqlStatement.h"

#include <cmath>

namespace ostrapel {

namespace {

double cents(double amount) {
    const double rounded = std::round(amount * 100.0) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded; // no "-0,00"
}

} // namespace

QList<TrendMonth> PremiumTrend::read(Connection& connection, CollectivityKey collectivity, InsuranceType type,
                                     const QString& from, const QString& to) {
    SqlStatement& s = connection.prepare(CollectivityQueries::premiumTrend(type));
    // every month text sorts between these two
    s.bind({{QStringLiteral("CollNr"), collectivity.number},
            {QStringLiteral("CollVolgNr"), collectivity.sequence},
            {QStringLiteral("Van"), from.isEmpty() ? QStringLiteral("0000-00") : from},
            {QStringLiteral("Tot"), to.isEmpty() ? QStringLiteral("9999-99") : to}});
    s.exec();
    QList<TrendMonth> months;
    while (s.next())
        months.append({s.value(0).toString(), cents(s.value(1).toDouble()), cents(s.value(2).toDouble()),
                       s.value(3).toInt()});
    s.finish();
    return months;
}

QString PremiumTrend::describe(const TrendMonth& m) {
    return QStringLiteral("%1: premie %2, correcties %3, %4")
        .arg(m.month, formatNumber(m.premium, kAmountFormat), formatNumber(m.corrections, kAmountFormat),
             m.persons == 1 ? QStringLiteral("1 verzekerde")
                            : QStringLiteral("%1 verzekerden").arg(m.persons));
}

} // namespace ostrapel
