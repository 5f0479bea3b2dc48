#pragma once

#include "CleanupSelection.h"

#include "core/InsuranceType.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ostrapel {

class Connection;

// The clean-up's lists and its deletes.
class Cleanup {
public:
    struct Entry {
        QString caption;                            // "0123-1 SV: name", or "<ALLE>"
        CollectivityKey collectivity;               // -1, -1 for "<ALLE>"
        std::optional<InsuranceType> insuranceType; // none for "<ALLE>"
    };

    // The rows a clean-up removed, per table.
    struct Removed {
        int collectivities = 0; // bord00
        int persons = 0;        // bord10
        int history = 0;        // bord99
        int premiums = 0;       // bord50
        QString text() const;
    };

    explicit Cleanup(Connection& connection) : connection_(connection) {}

    // "<ALLE>" first, then one entry per collectivity and kind of insurance.
    std::vector<Entry> collectivities();
    // An empty entry, then every period of the import history.
    QStringList periods();
    // The deletes of the selection, all or none; throws DatabaseError.
    Removed execute(const CleanupSelection& selection);

private:
    Connection& connection_;
};

} // namespace ostrapel
