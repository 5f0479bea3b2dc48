#pragma once

#include "FilterCriterion.h"

#include <QString>
#include <vector>

namespace ostrapel {

// The clause the persons query appends for a set of criteria.
class FilterClause {
public:
    // " AND (bord10.<condition>)" per criterion, or "AND 1=1" for none. Field
    // 1008 lists every code but 2 as its entry of 1, so "=1" becomes "<>2".
    // Each condition keeps to its brackets: an OR in one cannot widen the
    // query. A condition that is not one expression (as stored data can be
    // edited to be) throws an OstrapelError naming the filter.
    static QString build(const std::vector<FilterCriterion>& criteria, const QString& filterName = {});
};

} // namespace ostrapel
