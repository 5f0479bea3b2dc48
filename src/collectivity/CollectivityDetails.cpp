#include "CollectivityDetails.h"

#include "core/Connection.h"
#include "core/RecordCatalogue.h"

namespace ostrapel {

const QString CollectivityDetails::CollectivityQuery =
    QStringLiteral("select *\r\nfrom bord00\r\nwhere ID01 = :ID01\r\nand ID02 = :ID02");
const QString CollectivityDetails::HistoryQuery =
    QStringLiteral("select ID03, [9902], [9903], [9904], \r\n[9905], [9906], [9907], [9908]\r\nfrom "
                   "bord99\r\nwhere ID01 = :ID01\r\nand ID02 = :ID02\r\n"
                   "order by [9902] DESC");

CollectivityDetails::CollectivityDetails(Connection& connection, const RecordCatalogue& catalogue,
                                         CollectivityKey collectivity)
    : connection_(connection), catalogue_(catalogue), key_(collectivity) {
    collectivity_ = connection_.query(
        CollectivityQuery, {{QStringLiteral("ID01"), key_.number}, {QStringLiteral("ID02"), key_.sequence}},
        &catalogue_);
    catalogue_.prepareFields(collectivity_, QStringLiteral("00"), false);
}

DataSet& CollectivityDetails::history() {
    history_ = connection_.query(
        HistoryQuery, {{QStringLiteral("ID01"), key_.number}, {QStringLiteral("ID02"), key_.sequence}},
        &catalogue_);
    catalogue_.prepareFields(history_, QStringLiteral("99"), false);
    return history_;
}

QList<TrendMonth> CollectivityDetails::premiumTrend(InsuranceType type) const {
    return PremiumTrend::read(connection_, key_, type);
}

} // namespace ostrapel
