#include "FilterStore.h"

#include "FilterQueries.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/Transaction.h"

#include <QSqlRecord>

namespace ostrapel {

DataSet FilterStore::list() {
    return connection_.query(FilterQueries::List);
}

QString FilterStore::name(int filterId) {
    return connection_.scalar(FilterQueries::Name, {{QStringLiteral("FilterId"), filterId}}).toString();
}

std::vector<FilterCriterion> FilterStore::criteria(int filterId) {
    SqlStatement& q = connection_.prepare(FilterQueries::Criteria);
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
        SqlStatement& add = connection_.prepare(FilterQueries::AddFilter);
        add.bind({{QStringLiteral("FilterNaam"), name}, {QStringLiteral("GemaaktDoor"), madeBy}});
        add.exec();
        filterId = add.query().lastInsertId().toInt();
    } else if (connection_.execute(FilterQueries::HoldFilter, {{QStringLiteral("FilterId"), filterId}}) ==
               0) {
        throw FilterGone(QStringLiteral("Het filter met nummer %1 bestaat niet meer.").arg(filterId));
    }
    connection_.execute(FilterQueries::ClearCriteria, {{QStringLiteral("FilterId"), filterId}});
    SqlStatement& insert = connection_.prepare(FilterQueries::InsertCriterion);
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
    connection_.execute(FilterQueries::DeleteFilter, {{QStringLiteral("FilterId"), filterId}});
    connection_.execute(FilterQueries::DeleteCriteria, {{QStringLiteral("FilterId"), filterId}});
    t.commit();
}

} // namespace ostrapel
