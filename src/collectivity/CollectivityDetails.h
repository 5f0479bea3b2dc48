#pragma once

#include "PremiumTrend.h"

#include "core/DataSet.h"

namespace ostrapel {

class Connection;
class RecordCatalogue;

// CollectivityDetails: the collectivity record, read once when the window
// opens, and its import history, read anew each time the dialog is shown.
class CollectivityDetails {
public:
    CollectivityDetails(Connection& connection, const RecordCatalogue& catalogue,
                        CollectivityKey collectivity);

    DataSet& collectivity() { return collectivity_; }
    // Re-reads the history: newest statement first.
    DataSet& history();
    // Reads the premium trend of the persons of one insurance type anew.
    QList<TrendMonth> premiumTrend(InsuranceType type) const;
    // "12-1", as the command line names the collectivity.
    QString keyText() const { return key_.text(); }

private:
    Connection& connection_;
    const RecordCatalogue& catalogue_;
    CollectivityKey key_;
    DataSet collectivity_;
    DataSet history_;
};

} // namespace ostrapel
