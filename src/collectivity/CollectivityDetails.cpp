#include "CollectivityDetails.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/RecordCatalogue.h"

namespace ostrapel {

CollectivityDetails::CollectivityDetails(Connection& connection, const RecordCatalogue& catalogue,
                                         CollectivityKey collectivity)
    : connection_(connection), catalogue_(catalogue), key_(collectivity) {
    collectivity_ = connection_.query(
        CollectivityQueries::Collectivity,
        {{QStringLiteral("ID01"), key_.number}, {QStringLiteral("ID02"), key_.sequence}}, &catalogue_);
    catalogue_.prepareFields(collectivity_, QStringLiteral("00"), false);
}

DataSet& CollectivityDetails::history() {
    history_ = connection_.query(
        CollectivityQueries::History,
        {{QStringLiteral("ID01"), key_.number}, {QStringLiteral("ID02"), key_.sequence}}, &catalogue_);
    catalogue_.prepareFields(history_, QStringLiteral("99"), false);
    return history_;
}

QList<TrendMonth> CollectivityDetails::premiumTrend(InsuranceType type) const {
    return PremiumTrend::read(connection_, key_, type);
}

} // namespace ostrapel
