#include "Cleanup.h"

#include "MaintenanceQueries.h"
#include "MaintenanceTexts.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "core/Transaction.h"

namespace ostrapel {

using namespace MaintenanceTexts;

std::vector<Cleanup::Entry> Cleanup::collectivities() {
    std::vector<Entry> entries{{Alle, {}, std::nullopt}};
    DataSet rows = connection_.query(SharedQueries::CollectivitiesQuery);
    for (rows.first(); !rows.eof(); rows.next()) {
        Entry e;
        e.collectivity = {rows.value(QStringLiteral("CollNr")).toInt(),
                          rows.value(QStringLiteral("CollVolgNr")).toInt()};
        e.insuranceType = insuranceTypeFromStored(rows.value(QStringLiteral("VerzType")).toInt());
        e.caption = collectivityCaption(e.collectivity, rows.value(QStringLiteral("VerzNaam")).toString(),
                                        rows.value(QStringLiteral("CollNaam")).toString());
        entries.push_back(e);
    }
    return entries;
}

QStringList Cleanup::periods() {
    QStringList out{QString()};
    DataSet rows = connection_.query(MaintenanceQueries::CleanupPeriods);
    for (rows.first(); !rows.eof(); rows.next())
        out << rows.value(QStringLiteral("FactuurMaand")).toString();
    return out;
}

QString Cleanup::Removed::text() const {
    return CleanupRemoved.arg(collectivities).arg(persons).arg(history).arg(premiums);
}

Cleanup::Removed Cleanup::execute(const CleanupSelection& selection) {
    const QString clause = selection.buildCleanupWhere();
    Removed removed;
    // One transaction: control records gone while components stay would let
    // the next import of the statement double them.
    Transaction transaction(connection_);
    if (!selection.premiumsOnly)
        for (const auto& [table, count] :
             {std::pair{"bord00", &removed.collectivities}, std::pair{"bord10", &removed.persons},
              std::pair{"bord99", &removed.history}})
            *count = connection_.execute(MaintenanceQueries::cleanupDelete(table, clause));
    removed.premiums = connection_.execute(MaintenanceQueries::cleanupDelete("bord50", clause));
    transaction.commit();
    return removed;
}

} // namespace ostrapel
