#include "PremiumTrend.h"

#include "core/Connection.h"
#include "core/DisplayFormat.h"
#include "core/SqlFragments.h"
#include "core/SqlStatement.h"

#include <cmath>

namespace ostrapel {

namespace {

double cents(double amount) {
    const double rounded = std::round(amount * 100.0) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded; // no "-0,00"
}

} // namespace

QString PremiumTrend::query(InsuranceType type) {
    // A joint component carries its unit's key, the main person's: it counts
    // once, with that person. The months of the other type are not this type's
    // premiums, as in the reports.
    return QStringList{
        QStringLiteral("select a.ID03 as Maand,"),
        QStringLiteral(" sum(iif(a.[5002] = '1', a.[5008], 0)) as Premie,"),
        QStringLiteral(" sum(iif(a.[5002] = '2' or a.[5002] = '3', a.[5008], 0)) as Correctie,"),
        QStringLiteral(" count(distinct a.ID07) as Personen"),
        QStringLiteral("from bord50 a"),
        QStringLiteral("where a.ID01 = :CollNr and a.ID02 = :CollVolgNr"),
        QStringLiteral("and a.ID03 >= :Van and a.ID03 <= :Tot"),
        typeMonthCondition(type, QStringLiteral("a.ID03")),
        QStringLiteral("and exists (select 1 from bord10 b where b.ID01 = a.ID01 and b.ID02 = a.ID02"),
        QStringLiteral("  and b.ID07 = a.ID07 and b.[1024] in (") + typeCodeList(type) + QStringLiteral("))"),
        QStringLiteral("group by a.ID03"),
        QStringLiteral("order by a.ID03")}
        .join(QStringLiteral("\r\n"));
}

QList<TrendMonth> PremiumTrend::read(Connection& connection, CollectivityKey collectivity, InsuranceType type,
                                     const QString& from, const QString& to) {
    SqlStatement& s = connection.prepare(query(type));
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
