#include "PersonsQuery.h"

#include "CollectivityQueries.h"

#include "core/TextHelpers.h"

namespace ostrapel {

namespace {

const QStringList kSortMap = {QStringLiteral("1002=1002, 1003, 1004"),
                              QStringLiteral("ID04=ID04, 1002, 1003, 1004")};

} // namespace

PersonsQuery::PersonsQuery()
    : searchClause(kNeutralClause), unitClause(kNeutralClause), filterClause(kNeutralClause),
      periodClause(kNeutralClause) {}

void PersonsQuery::setIdentity(CollectivityKey collectivity, InsuranceType type) {
    collectivity_ = collectivity;
    insuranceType_ = type;
}

QString PersonsQuery::whereLine() const {
    return CollectivityQueries::personsWhere(collectivity_, insuranceType_);
}

QStringList PersonsQuery::lines() const {
    const PersonsClauses clauses{unitView_ ? kNeutralClause : searchClause, unitClause,
                                 unitView_ ? kNeutralClause : filterClause, periodClause};
    return CollectivityQueries::persons(fieldList_, compound_, whereLine(), clauses, orderField());
}

QString PersonsQuery::composeSearchClause(const QString& text, const QString& sortField) const {
    return CollectivityQueries::personsSearch(text, sortField, compound_);
}

QString PersonsQuery::composeUnitClause(const QString& unitKey) {
    return CollectivityQueries::personsUnit(unitKey);
}

QString PersonsQuery::sortFieldsFor(const QString& field) {
    return valueOrName(field, kSortMap);
}

} // namespace ostrapel
