#include "CollectivityDetails.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/RecordCatalogue.h"

namespace ostrapel {

CollectivityDetails::CollectivityDetails(Connection& connection, const RecordCatalogue& catalogue, int collNr,
                                         int collVolgNr)
    : connection_(connection), catalogue_(catalogue), collNr_(collNr), collVolgNr_(collVolgNr) {
    collectivity_ = connection_.query(
        CollectivityQueries::Collectivity,
        {{QStringLiteral("ID01"), collNr_}, {QStringLiteral("ID02"), collVolgNr_}}, &catalogue_);
    catalogue_.prepareFields(collectivity_, QStringLiteral("00"), false);
}

DataSet& CollectivityDetails::history() {
    history_ = connection_.query(CollectivityQueries::History,
                                 {{QStringLiteral("ID01"), collNr_}, {QStringLiteral("ID02"), collVolgNr_}},
                                 &catalogue_);
    catalogue_.prepareFields(history_, QStringLiteral("99"), false);
    return history_;
}

QList<TrendMonth> CollectivityDetails::premiumTrend(int verzType) const {
    return PremiumTrend::read(connection_, collNr_, collVolgNr_, verzType);
}

} // namespace ostrapel
