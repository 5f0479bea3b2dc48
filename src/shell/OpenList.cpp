#include "OpenList.h"

#include "RecentList.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/Settings.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "core/SqlStatement.h"

#include <algorithm>
#include <tuple>

namespace ostrapel {

namespace {

CollectivityItem itemOf(const DataSet& row) {
    CollectivityItem c;
    c.CollNr = row.value(QStringLiteral("CollNr")).toInt();
    c.CollVolgNr = row.value(QStringLiteral("CollVolgNr")).toInt();
    c.CollNaam = row.value(QStringLiteral("CollNaam")).toString();
    c.VerzNaam = row.value(QStringLiteral("VerzNaam")).toString();
    c.VerzType = row.value(QStringLiteral("VerzType")).toInt();
    return c;
}

} // namespace

QString CollectivityItem::caption() const {
    return collectivityCaption(CollNr, CollVolgNr, VerzNaam, CollNaam);
}

std::vector<CollectivityItem> listCollectivities(Connection& connection) {
    std::vector<CollectivityItem> out;
    DataSet rows = connection.query(SharedQueries::QryCollectiviteiten);
    for (rows.first(); !rows.eof(); rows.next())
        out.push_back(itemOf(rows));
    // The query orders by number only; its two lines of one collectivity
    // would follow the order rows were written in, so break the tie by type.
    std::stable_sort(out.begin(), out.end(), [](const CollectivityItem& a, const CollectivityItem& b) {
        return std::tie(a.CollNr, a.CollVolgNr, a.VerzNaam) < std::tie(b.CollNr, b.CollVolgNr, b.VerzNaam);
    });
    return out;
}

bool collectivityCaptionRow(Connection& connection, int collNr, int collVolgNr, CollectivityItem* item) {
    // Only the newest row counts: the join yields a row per person and month,
    // millions in a big collectivity, so the rest is never read.
    SqlStatement& caption = connection.prepare(SharedQueries::qryGetCollCaption);
    caption.bind({{QStringLiteral("id01"), collNr}, {QStringLiteral("id02"), collVolgNr}});
    caption.exec();
    const bool found = caption.next();
    if (found) {
        item->CollNr = caption.value(0).toInt();
        item->CollVolgNr = caption.value(1).toInt();
        item->CollNaam = caption.value(2).toString();
        item->VerzNaam = caption.value(3).toString();
        item->VerzType = caption.value(4).toInt();
    }
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
        const WindowKeyParts k = parseWindowKey(*it);
        if (collectivityCaptionRow(connection, k.collNr, k.collVolgNr, &item))
            content.items.push_back(item);
        else
            recent.remove(*it);
    }
    return content;
}

} // namespace ostrapel
