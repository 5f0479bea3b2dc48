#include "CleanupSelection.h"

#include "core/SqlFragments.h"

namespace ostrapel {

bool CleanupSelection::okEnabled() const {
    switch (period) {
    case Period::Month:
        return !month.isEmpty();
    case Period::Range:
        return (from.isEmpty() && !to.isEmpty()) || (!from.isEmpty() && !to.isEmpty() && to >= from);
    case Period::All:
        return true;
    }
    return false;
}

QString CleanupSelection::buildCleanupWhere() const {
    QString clause;
    QString joiner = QStringLiteral(" where ");
    if (period == Period::Month) {
        clause += joiner + QStringLiteral("(id03 = ") + sqlTextLiteral(month) + u')';
        joiner = QStringLiteral(" AND ");
    } else if (period == Period::Range) {
        if (from.isEmpty())
            clause += joiner + QStringLiteral("(id03 <= ") + sqlTextLiteral(to) + u')';
        else if (from == to)
            clause += joiner + QStringLiteral("(id03 = ") + sqlTextLiteral(from) + u')';
        else
            clause += joiner + QStringLiteral("(id03 >= ") + sqlTextLiteral(from) +
                      QStringLiteral(" and id03 <= ") + sqlTextLiteral(to) + u')';
        joiner = QStringLiteral(" AND ");
    }
    if (collectivity.number != -1)
        clause += joiner + QStringLiteral("(id01 = ") + QString::number(collectivity.number) +
                  QStringLiteral(" AND ") + QStringLiteral("id02 = ") +
                  QString::number(collectivity.sequence) + u')';
    return clause;
}

} // namespace ostrapel
