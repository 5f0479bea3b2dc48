#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"
#include "core/SqlFragments.h"

#include <QString>

namespace ostrapel {

enum class ReportKind { Collection = 0, Selection = 1, Correction = 2, Renewal = 3 };

// What a report or the export is given by the window that starts it. The
// clauses are whole SQL lines, "AND 1=1" when neutral.
struct ReportInputs {
    CollectivityKey collectivity;
    InsuranceType insuranceType = InsuranceType::Standard;
    bool compoundSurname = false;
    QString keyField;
    QString sortField; // handed over, not used by the reports
    QString reportMonth;
    QString correctionMonth;
    QString searchClause = kNeutralClause;
    QString selectionClause = kNeutralClause;
    QString soortClause = kNeutralClause;
    QString componentClause = kNeutralClause;
    QString herkomstClause = kNeutralClause;
    QString componentsPeriodClause = kNeutralClause;
    QString personsPeriodClause = kNeutralClause;
    QString filterClause = kNeutralClause;
    QString unitClause = kNeutralClause;
    QString personsWhereLine;
    QString selectText;
    QString personSortList;
    QString componentSortList;
};

} // namespace ostrapel
