#include "FilterStore.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/Transaction.h"

#include <QSqlRecord>

namespace ostrapel {

namespace {
const QString kList = QStringLiteral("select *\nfrom filters\norder by FilterNaam");
const QString kName = QStringLiteral("select FilterNaam\nfrom Filters\nwhere FilterId = :FilterId");
const QString kCriteria = QStringLiteral("select *\nfrom FilterCrits\nwhere FilterId = :FilterId");
const QString kAddFilter =
    QStringLiteral("Insert into Filters(FilterNaam, GemaaktDoor) values (:FilterNaam, :GemaaktDoor)");
// Touches the filter's row: it tells whether the filter is still there and holds
// its row until the criteria are written, so that a removal waits for them.
const QString kHoldFilter =
    QStringLiteral("update Filters set FilterNaam = FilterNaam where FilterId = :FilterId");
const QString kClearCriteria = QStringLiteral("delete *\nfrom FilterCrits\nwhere FilterId = :FilterId");
const QString kInsertCriterion = QStringLiteral(
    "Insert into FilterCrits(FilterId, FilterCritId, WaardeReal, WaardeDisplay, OperatorReal, "
    "OperatorDisplay, "
    "VeldReal, VeldDisplay, Filter)\nvalues (:FilterId, :FilterCritId, :WaardeReal, :WaardeDisplay, "
    ":OperatorReal, :OperatorDisplay, :VeldReal, :VeldDisplay, :Filter)");
const QString kDeleteCriteria = QStringLiteral("delete\nfrom FilterCrits\nwhere FilterId = :FilterId");
const QString kDeleteFilter = QStringLiteral("delete\nfrom Filters\nwhere FilterId = :FilterId");
} // namespace

DataSet FilterStore::list() {
    return connection_.query(kList);
}

QString FilterStore::name(int filterId) {
    return connection_.scalar(kName, {{QStringLiteral("FilterId"), filterId}}).toString();
}

std::vector<FilterCriterion> FilterStore::criteria(int filterId) {
    SqlStatement& q = connection_.prepare(kCriteria);
    q.bind(QStringLiteral("FilterId"), filterId);
    q.exec();
    const QSqlRecord r = q.query().record();
    const int id = r.indexOf(QStringLiteral("FilterId")), critId = r.indexOf(QStringLiteral("FilterCritId")),
              veld = r.indexOf(QStringLiteral("VeldReal")),
              veldDisplay = r.indexOf(QStringLiteral("VeldDisplay")),
              waarde = r.indexOf(QStringLiteral("WaardeReal")),
              waardeDisplay = r.indexOf(QStringLiteral("WaardeDisplay")),
              op = r.indexOf(QStringLiteral("OperatorReal")),
              opDisplay = r.indexOf(QStringLiteral("OperatorDisplay")),
              filter = r.indexOf(QStringLiteral("Filter"));
    std::vector<FilterCriterion> out;
    while (q.next())
        out.push_back({q.value(id).toInt(), q.value(critId).toInt(), q.value(veld).toString(),
                       q.value(veldDisplay).toString(), q.value(waarde).toString(),
                       q.value(waardeDisplay).toString(), q.value(op).toInt(), q.value(opDisplay).toString(),
                       q.value(filter).toString()});
    q.finish();
    return out;
}

int FilterStore::store(int filterId, const std::vector<FilterCriterion>& criteria, const QString& name,
                       const QString& madeBy) {
    // A failure halfway would leave a filter without (some of) its criteria.
    Transaction t(connection_);
    if (filterId == -1) {
        SqlStatement& add = connection_.prepare(kAddFilter);
        add.bind({{QStringLiteral("FilterNaam"), name}, {QStringLiteral("GemaaktDoor"), madeBy}});
        add.exec();
        filterId = add.query().lastInsertId().toInt();
    } else if (connection_.execute(kHoldFilter, {{QStringLiteral("FilterId"), filterId}}) == 0) {
        throw FilterGone(QStringLiteral("Het filter met nummer %1 bestaat niet meer.").arg(filterId));
    }
    connection_.execute(kClearCriteria, {{QStringLiteral("FilterId"), filterId}});
    SqlStatement& insert = connection_.prepare(kInsertCriterion);
    int critId = 0;
    for (const FilterCriterion& c : criteria) {
        insert.bind({{QStringLiteral("FilterId"), filterId},
                     {QStringLiteral("FilterCritId"), ++critId},
                     {QStringLiteral("WaardeReal"), c.WaardeReal},
                     {QStringLiteral("WaardeDisplay"), c.WaardeDisplay},
                     {QStringLiteral("OperatorReal"), c.OperatorReal},
                     {QStringLiteral("OperatorDisplay"), c.OperatorDisplay},
                     {QStringLiteral("VeldReal"), c.VeldReal},
                     {QStringLiteral("VeldDisplay"), c.VeldDisplay},
                     {QStringLiteral("Filter"), c.Filter}});
        insert.exec();
    }
    t.commit();
    return filterId;
}

void FilterStore::remove(int filterId) {
    Transaction t(connection_);
    // The filter's row first: a store under way on a server holds it, and the
    // criteria it writes are then deleted with the others.
    connection_.execute(kDeleteFilter, {{QStringLiteral("FilterId"), filterId}});
    connection_.execute(kDeleteCriteria, {{QStringLiteral("FilterId"), filterId}});
    t.commit();
}

} // namespace ostrapel
