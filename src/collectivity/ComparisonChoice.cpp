#include "ComparisonChoice.h"

#include "core/Connection.h"
#include "core/DataSet.h"

namespace ostrapel {

QString ComparisonChoice::monthsQuery(InsuranceType type) {
    return QStringLiteral("select Distinct(id03) as Periode from bord00 where id01 = :CollNr and id02 = "
                          ":CollVolgNr \r\n") +
           (type == InsuranceType::SicknessFundOrPrivate ? QStringLiteral(" and [ID03] <= '2005-12' ")
                                                         : QStringLiteral(" and [ID03] >= '2006-01' ")) +
           QStringLiteral("\r\nOrder by Id03 ");
}

QStringList ComparisonChoice::months(Connection& connection, CollectivityKey collectivity,
                                     InsuranceType type) {
    DataSet rows =
        connection.query(monthsQuery(type), {{QStringLiteral("CollNr"), collectivity.number},
                                             {QStringLiteral("CollVolgNr"), collectivity.sequence}});
    QStringList months;
    for (rows.first(); !rows.eof(); rows.next())
        months << rows.value(QStringLiteral("Periode")).toString();
    return months;
}

ComparisonChoice::ComparisonChoice(QStringList months) : months_(std::move(months)) {
    if (!months_.isEmpty()) to = months_.last();
}

} // namespace ostrapel
