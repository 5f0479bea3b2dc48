#include "OracleQueries.h"

#include "core/SqlFragments.h"

#include <QStringList>

namespace ostrapel::test {

QString invoiceMonthsQuery(InsuranceType type) {
    return QStringList{QStringLiteral(" Select distinct a.[ID03] AS WAARDE"),
                       QStringLiteral(" FROM bord50 a, bord10 b"),
                       QStringLiteral(" Where a.ID01 = :CollNr"),
                       QStringLiteral(" and a.ID02 = :CollVolgNr"),
                       QStringLiteral(" and a.ID01 = b.ID01"),
                       QStringLiteral(" and a.ID02 = b.ID02"),
                       QStringLiteral(" and a.ID05 = b.ID05"),
                       QStringLiteral(" and a.ID07 = b.ID07"),
                       QStringLiteral(" AND b.[1024] in (") + typeCodeList(type) + u')',
                       QStringLiteral(" ORDER BY a.[ID03]")}
        .join(QStringLiteral("\r\n"));
}

QString distinctValuesQuery(const QString& field) {
    const QString b = u'[' + field + u']';
    return QStringList{QStringLiteral("SELECT distinct ") + b + QStringLiteral(" AS WAARDE"),
                       QStringLiteral("FROM bord50"), QStringLiteral("WHERE ID01 = :ID01 and ID02 = :ID02"),
                       QStringLiteral("AND ") + b + QStringLiteral(" <> ''"), QStringLiteral("ORDER BY ") + b}
        .join(QStringLiteral("\r\n"));
}

} // namespace ostrapel::test
