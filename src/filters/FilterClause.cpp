#include "FilterClause.h"

#include "FilterTexts.h"

#include "core/OstrapelError.h"
#include "core/SingleCondition.h"
#include "core/SqlFragments.h"

namespace ostrapel {

QString FilterClause::build(const std::vector<FilterCriterion>& criteria, const QString& filterName) {
    QString clause;
    for (const FilterCriterion& c : criteria) {
        if (!isSingleCondition(c.Filter))
            throw OstrapelError(FilterTexts::notOneCondition(filterName, c.Filter));
        QString segment = QStringLiteral(" AND (bord10.") + c.Filter + u')';
        segment.replace(QStringLiteral("bord10.[1008]=1"), QStringLiteral("bord10.[1008]<>2"),
                        Qt::CaseInsensitive);
        clause += segment;
    }
    return clause.isEmpty() ? kNeutralClause : clause;
}

} // namespace ostrapel
