#pragma once

#include "ReportInputs.h"
#include "core/CollectivityKey.h"
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
    // The renewal premium components of month `from` compared with those of
    // the later month `to`: the 41 lines of the differences report.
    static QStringList renewalDifferences(CollectivityKey collectivity, InsuranceType type,
                                          const QString& from, const QString& to);

    // "bord10.[1002], bord10.[1003]" for 1002 and 1003.
    static QString exportColumns(const QStringList& fields, const QString& table);
    static QString exportSelect(const QStringList& personFields, const QStringList& componentFields);
    // The export's rows: the persons, or joined to their components when
    // `withComponents`, restricted by the window's fragments.
    static QStringList exportQuery(const QString& select, bool withComponents, const ReportInputs& inputs);

    // Whether the database holds the collectivity (:CollNr, :CollVolgNr), and
    // its statement of a month (also :Maand).
    static const QString CollectivityCount;
    static const QString StatementCount;
};

} // namespace ostrapel
