#include "OpenList.h"

#include "RecentList.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"

#include <algorithm>
#include <tuple>

namespace ostrapel {

namespace {

CollectivityItem itemOf(const DataSet& row) {
    CollectivityItem c;
    c.collectivity = {row.value(QStringLiteral("CollNr")).toInt(),
                      row.value(QStringLiteral("CollVolgNr")).toInt()};
    c.name = row.value(QStringLiteral("CollNaam")).toString();
    c.typeName = row.value(QStringLiteral("VerzNaam")).toString();
    // Both list queries give 1 or 2.
    c.insuranceType = insuranceTypeFromStored(row.value(QStringLiteral("VerzType")).toInt())
                          .value_or(InsuranceType::Standard);
    return c;
}

} // namespace

QString CollectivityItem::caption() const {
    return collectivityCaption(collectivity, typeName, name);
}

std::vector<CollectivityItem> listCollectivities(Connection& connection) {
    std::vector<CollectivityItem> out;
    DataSet rows = connection.query(SharedQueries::CollectivitiesQuery);
    for (rows.first(); !rows.eof(); rows.next())
        out.push_back(itemOf(rows));
    // The query orders by number only; its two lines of one collectivity
    // would follow the order rows were written in, so break the tie by type.
    std::stable_sort(out.begin(), out.end(), [](const CollectivityItem& a, const CollectivityItem& b) {
        return std::tie(a.collectivity, a.typeName) < std::tie(b.collectivity, b.typeName);
    });
    return out;
}

bool collectivityCaptionRow(Connection& connection, CollectivityKey collectivity, CollectivityItem* item) {
    DataSet rows = connection.query(
        SharedQueries::CollectivityCaptionQuery,
        {{QStringLiteral("id01"), collectivity.number}, {QStringLiteral("id02"), collectivity.sequence}});
    if (rows.isEmpty()) return false;
    rows.first();
    *item = itemOf(rows);
    return true;
}

OpenListContent buildOpenList(Connection& connection, RecentList& recent) {
    OpenListContent content;
    std::vector<CollectivityItem> all = listCollectivities(connection);
    if (all.empty()) return content;
    if (all.size() <= 10) {
        content.mode = OpenListContent::Mode::Items;
        content.items = std::move(all);
        return content;
    }
    if (recent.isEmpty()) {
        content.mode = OpenListContent::Mode::Chooser;
        return content;
    }
    content.mode = OpenListContent::Mode::Recent;
    const QStringList keys = recent.keys();
    for (auto it = keys.crbegin(); it != keys.crend(); ++it) {
        CollectivityItem item;
        if (collectivityCaptionRow(connection, CollectivityKey::fromWindowKey(*it), &item))
            content.items.push_back(item);
        else
            recent.remove(*it);
    }
    return content;
}

} // namespace ostrapel
