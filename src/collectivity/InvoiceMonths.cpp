#include "InvoiceMonths.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/SqlFragments.h"

namespace ostrapel {

QString invoiceMonthsQuery(int verzType) {
    return QStringList{QStringLiteral(" Select distinct a.[ID03] AS WAARDE"),
                       QStringLiteral(" FROM bord50 a, bord10 b"),
                       QStringLiteral(" Where a.ID01 = :CollNr"),
                       QStringLiteral(" and a.ID02 = :CollVolgNr"),
                       QStringLiteral(" and a.ID01 = b.ID01"),
                       QStringLiteral(" and a.ID02 = b.ID02"),
                       QStringLiteral(" and a.ID05 = b.ID05"),
                       QStringLiteral(" and a.ID07 = b.ID07"),
                       QStringLiteral(" AND b.[1024] in (") + typeCodeList(verzType) + u')',
                       QStringLiteral(" ORDER BY a.[ID03]")}
        .join(QStringLiteral("\r\n"));
}

QStringList invoiceMonths(Connection& connection, int collNr, int collVolgNr, int verzType) {
    auto statement = connection.prepareNew(invoiceMonthsQuery(verzType));
    statement->bind({{QStringLiteral("CollNr"), collNr}, {QStringLiteral("CollVolgNr"), collVolgNr}});
    statement->exec();
    QStringList months;
    while (statement->next())
        months << statement->value(0).toString();
    statement->finish();
    return months;
}

} // namespace ostrapel
