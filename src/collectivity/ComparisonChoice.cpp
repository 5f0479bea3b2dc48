#include "ComparisonChoice.h"

#include "core/Connection.h"
#include "core/DataSet.h"

namespace ostrapel {

QString ComparisonChoice::monthsQuery(int verzType) {
    return QStringLiteral("select Distinct(id03) as Periode from bord00 where id01 = :CollNr and id02 = "
                          ":CollVolgNr \r\n") +
           (verzType == 1 ? QStringLiteral(" and [ID03] <= '2005-12' ")
                          : QStringLiteral(" and [ID03] >= '2006-01' ")) +
           QStringLiteral("\r\nOrder by Id03 ");
}

QStringList ComparisonChoice::months(Connection& connection, int collNr, int collVolgNr, int verzType) {
    DataSet rows = connection.query(monthsQuery(verzType), {{QStringLiteral("CollNr"), collNr},
                                                            {QStringLiteral("CollVolgNr"), collVolgNr}});
    QStringList months;
    for (rows.first(); !rows.eof(); rows.next())
        months << rows.value(QStringLiteral("Periode")).toString();
    return months;
}

ComparisonChoice::ComparisonChoice(QStringList months) : months_(std::move(months)) {
    if (!months_.isEmpty()) to = months_.last();
}

} // namespace ostrapel
