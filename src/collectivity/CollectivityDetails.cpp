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

CollectivityDetails::CollectivityDetails(Connection& connection, const RecordCatalogue& catalogue, int collNr,
                                         int collVolgNr)
    : connection_(connection), catalogue_(catalogue), collNr_(collNr), collVolgNr_(collVolgNr) {
    collectivity_ = connection_.query(
        CollectivityQuery, {{QStringLiteral("ID01"), collNr_}, {QStringLiteral("ID02"), collVolgNr_}},
        &catalogue_);
    catalogue_.prepareFields(collectivity_, QStringLiteral("00"), false);
}

DataSet& CollectivityDetails::history() {
    history_ = connection_.query(HistoryQuery,
                                 {{QStringLiteral("ID01"), collNr_}, {QStringLiteral("ID02"), collVolgNr_}},
                                 &catalogue_);
    catalogue_.prepareFields(history_, QStringLiteral("99"), false);
    return history_;
}

QList<TrendMonth> CollectivityDetails::premiumTrend(int verzType) const {
    return PremiumTrend::read(connection_, collNr_, collVolgNr_, verzType);
}

} // namespace ostrapel
