#include "ComparisonChoice.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/DataSet.h"

namespace ostrapel {

QStringList ComparisonChoice::months(Connection& connection, CollectivityKey collectivity,
                                     InsuranceType type) {
    DataSet rows = connection.query(CollectivityQueries::comparisonMonths(type),
                                    {{QStringLiteral("CollNr"), collectivity.number},
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
