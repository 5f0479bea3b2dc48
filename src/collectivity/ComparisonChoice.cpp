#include "ComparisonChoice.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/DataSet.h"

namespace ostrapel {

QStringList ComparisonChoice::months(Connection& connection, int collNr, int collVolgNr, int verzType) {
    DataSet rows =
        connection.query(CollectivityQueries::comparisonMonths(verzType),
                         {{QStringLiteral("CollNr"), collNr}, {QStringLiteral("CollVolgNr"), collVolgNr}});
    QStringList months;
    for (rows.first(); !rows.eof(); rows.next())
        months << rows.value(QStringLiteral("Periode")).toString();
    return months;
}

ComparisonChoice::ComparisonChoice(QStringList months) : months_(std::move(months)) {
    if (!months_.isEmpty()) to = months_.last();
}

} // namespace ostrapel
