#pragma once

#include "CollectivityKey.h"
#include "InsuranceType.h"

#include <QString>

namespace ostrapel {

// The neutral fragment: a whole SQL line that selects nothing extra.
inline const QString kNeutralClause = QStringLiteral("AND 1=1");

// The [1024] codes of the type as an SQL list: "'Z', 'P'" or "' '".
QString typeCodeList(InsuranceType type);

// A text as an SQL string literal: quoted, its own quotes doubled.
QString sqlTextLiteral(const QString& text);

// Typed text as part of a LIKE pattern: its own "%", "_" and "\" match only
// themselves. When it needed that, `escapeClause` gets " escape '\'", which
// belongs right after the pattern; otherwise it is left empty, so patterns
// of plain text read as before.
QString likeLiteral(const QString& typed, QString* escapeClause);
// "AND <column> <= '2005-12'" for the first type, "AND <column> >= '2006-01'"
// for the second: the months whose premiums belong to the type.
QString typeMonthCondition(InsuranceType type, const QString& column);
// The component name column of the type: "[5007]" or "[5012]".
QString componentNameColumn(InsuranceType type);
// "0012-1 SV: name": at least four digits of the number.
QString collectivityCaption(CollectivityKey key, const QString& typeName, const QString& name);

struct PeriodClauses {
    QString persons;     // condition for the bord10 queries
    QString components;  // condition for the bord50 queries
    QString description; // shown above the persons list
    QString bord10Form;  // the components clause on BORD10
};
// A window's period setting: empty, one month "YYYY-MM" (from that month on), or
// two months joined by ";". Anything else, as a hand-edited settings file may
// hold, counts as no period, so the clauses only ever quote months.
bool isPeriodSetting(const QString& setting);
PeriodClauses buildPeriodClauses(const QString& setting);

} // namespace ostrapel
