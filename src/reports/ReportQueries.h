#pragma once

#include "core/InsuranceType.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

// The window's fragments a selection report is restricted by; each a whole
// SQL line, "AND 1=1" when neutral.
struct SelectionClauses {
    QString componentsPeriod;
    QString herkomst;
    QString soort;
    QString component;
    QString search;
    QString filter;
};

// The SQL of the standard reports, one entry per line.
class ReportQueries {
public:
    // The totals overview of "Te incasseren bedragen": one row per component of the month.
    static QStringList totals(InsuranceType type);
    // The month's components per insurance unit joined to its main person's records.
    static QStringList collection(InsuranceType type, bool compoundSurname);
    // The same rows, with the month and the collectivity also inside each
    // grouped member: SQLite does not move a condition on a NOCASE column
    // through a GROUP BY, so the outer one alone reads every month.
    static QStringList collectionToRun(InsuranceType type, bool compoundSurname);
    static QStringList selection(InsuranceType type, bool compoundSurname, const SelectionClauses& clauses);
    static QStringList correction(InsuranceType type, bool compoundSurname);
    // The persons order of the reports with the compound surname flag, on BORD10.
    static QString compoundOrder();
};

} // namespace ostrapel
