#pragma once

#include "core/CollectivityKey.h"

#include <QString>

namespace ostrapel {

// The choices of the clean-up dialog, and the selection clause they give.
struct CleanupSelection {
    enum class Period { Month, Range, All };
    Period period = Period::Month;
    QString month;                // "Maand"
    QString from, to;             // "Periode van" ... "t/m"
    CollectivityKey collectivity; // -1, -1: "<ALLE>"
    bool premiumsOnly = false;    // "Alleen premierecords"

    // Whether OK may be pressed for these choices.
    bool okEnabled() const;
    // " where (id03 = '2004-12') AND (id01 = 123 AND id02 = 1)"; empty for everything.
    QString buildCleanupWhere() const;
};

} // namespace ostrapel
