#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QString>
#include <vector>

namespace ostrapel {

class Connection;
class RecentList;

// One collectivity of the "Openen ..." list, carrying its numbers.
struct CollectivityItem {
    CollectivityKey collectivity{0, 0};
    QString name;
    QString typeName; // "ZKF/PRT" or "SV"; empty from the chooser
    InsuranceType insuranceType = InsuranceType::Standard;
    QString caption() const;
};

// What the "Openen ..." menu shows.
struct OpenListContent {
    enum class Mode {
        Hidden,  // no collectivities: the list, its button and "Database opschonen" are hidden
        Items,   // at most 10: every collectivity
        Chooser, // more than 10 and nothing recent: the item runs the chooser
        Recent   // more than 10: the recent ones, newest first, then "Meer ..."
    };
    Mode mode = Mode::Hidden;
    std::vector<CollectivityItem> items;
};

// The collectivities that have insured persons, one per row of the list query.
std::vector<CollectivityItem> listCollectivities(Connection& connection);
// The latest row of one collectivity (CollectivityCaptionQuery); false when it has none.
bool collectivityCaptionRow(Connection& connection, CollectivityKey collectivity, CollectivityItem* item);
// Builds the list; recent keys whose collectivity has gone are removed.
OpenListContent buildOpenList(Connection& connection, RecentList& recent);

} // namespace ostrapel
