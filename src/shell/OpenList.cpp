#include "OpenList.h"

#include "RecentList.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "core/SqlStatement.h"

#include <algorithm>
#include <tuple>

namespace ostrapel {

namespace {

// Both queries give CollNr, CollVolgNr, CollNaam, VerzNaam and VerzType (1 or 2),
// in that order; `column(i)` reads the i-th.
template <typename Column> CollectivityItem itemOf(Column column) {
    CollectivityItem c;
    c.collectivity = {column(0).toInt(), column(1).toInt()};
    c.name = column(2).toString();
    c.typeName = column(3).toString();
    c.insuranceType = insuranceTypeFromStored(column(4).toInt()).value_or(InsuranceType::Standard);
    return c;
}

CollectivityItem itemOf(const DataSet& row) {
    static const QString names[] = {QStringLiteral("CollNr"), QStringLiteral("CollVolgNr"),
                                    QStringLiteral("CollNaam"), QStringLiteral("VerzNaam"),
                                    QStringLiteral("VerzType")};
    return itemOf([&](int i) { return row.value(names[i]); });
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
    // Only the newest row counts: the join yields a row per person and month,
    // millions in a big collectivity, so the rest is never read.
    SqlStatement& caption = connection.prepare(SharedQueries::CollectivityCaptionQuery);
    caption.bind(
        {{QStringLiteral("id01"), collectivity.number}, {QStringLiteral("id02"), collectivity.sequence}});
    caption.exec();
    const bool found = caption.next();
    if (found) *item = itemOf([&](int i) { return caption.value(i); });
    caption.finish();
    return found;
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
