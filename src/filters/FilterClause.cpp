#include "FilterClause.h"

#include "core/SqlFragments.h"

namespace ostrapel {

QString FilterClause::build(const std::vector<FilterCriterion>& criteria) {
    QString clause;
    for (const FilterCriterion& c : criteria) {
        QString segment = QStringLiteral(" AND bord10.") + c.Filter;
        segment.replace(QStringLiteral("bord10.[1008]=1"), QStringLiteral("bord10.[1008]<>2"),
                        Qt::CaseInsensitive);
        clause += segment;
    }
    return clause.isEmpty() ? kNeutralClause : clause;
}

} // namespace ostrapel
