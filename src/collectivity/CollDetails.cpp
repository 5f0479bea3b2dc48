#include "CollDetails.h"

#include "core/Connection.h"
#include "core/RecordCatalogue.h"

namespace ostrapel {

const QString TDataModCollDetails::CollectivityQuery =
    QStringLiteral("select *\r\nfrom bord00\r\nwhere ID01 = :ID01\r\nand ID02 = :ID02");
const QString TDataModCollDetails::HistoryQuery =
    QStringLiteral("select ID03, [9902], [9903], [9904], \r\n[9905], [9906], [9907], [9908]\r\nfrom "
                   "bord99\r\nwhere ID01 = :ID01\r\nand ID02 = :ID02\r\n"
                   "order by [9902] DESC");

TDataModCollDetails::TDataModCollDetails(Connection& connection, const TmyMemLists& catalogue, int collNr,
                                         int collVolgNr)
    : connection_(connection), catalogue_(catalogue), collNr_(collNr), collVolgNr_(collVolgNr) {
    collectivity_ = connection_.query(
        CollectivityQuery, {{QStringLiteral("ID01"), collNr_}, {QStringLiteral("ID02"), collVolgNr_}});
    catalogue_.PrepareFields(collectivity_, QStringLiteral("00"), false);
}

DataSet& TDataModCollDetails::history() {
    history_ = connection_.query(HistoryQuery,
                                 {{QStringLiteral("ID01"), collNr_}, {QStringLiteral("ID02"), collVolgNr_}});
    catalogue_.PrepareFields(history_, QStringLiteral("99"), false);
    return history_;
}

} // namespace ostrapel
