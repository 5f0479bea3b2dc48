#include "PersonsQuery.h"

#include "core/TextHelpers.h"

namespace ostrapel {

namespace {

const QStringList kSortMap = {QStringLiteral("1002=1002, 1003, 1004"),
                              QStringLiteral("ID04=ID04, 1002, 1003, 1004")};
const QString kCompoundSurname = QStringLiteral(
    "iif(BORD10.[1022] = 'J', BORD10.[1020] + ' - ' + BORD10.[1002], BORD10.[1002]) as [1002]");

QString doubled(QString text, QChar quote) {
    return text.replace(quote, QString(2, quote));
}

} // namespace

PersonsQuery::PersonsQuery()
    : searchClause(kNeutralClause), unitClause(kNeutralClause), filterClause(kNeutralClause),
      periodClause(kNeutralClause) {}

void PersonsQuery::setIdentity(CollectivityKey collectivity, InsuranceType type) {
    collectivity_ = collectivity;
    insuranceType_ = type;
}

QString PersonsQuery::whereLine() const {
    return QStringLiteral("WHERE bord10.[ID01] = ") + QString::number(collectivity_.number) +
           QStringLiteral(" AND bord10.[ID02] = ") + QString::number(collectivity_.sequence) +
           QStringLiteral(" AND bord10.[1024] in (") + typeCodeList(insuranceType_) + u')';
}

QStringList PersonsQuery::lines() const {
    QString fields = fieldList_;
    if (compound_) fields.replace(QStringLiteral("BORD10.[1002]"), kCompoundSurname, Qt::CaseInsensitive);
    return {QStringLiteral("SELECT distinct ") + fields,
            QStringLiteral("FROM BORD10"),
            whereLine(),
            unitView_ ? kNeutralClause : searchClause,
            unitClause,
            unitView_ ? kNeutralClause : filterClause,
            periodClause,
            QStringLiteral("ORDER BY [") + orderField() + u']'};
}

QString PersonsQuery::composeSearchClause(const QString& text, const QString& sortField) const {
    if (text.isEmpty()) return kNeutralClause;
    // What the user typed is looked for as typed: "%" and "_" are no wildcards.
    QString escape;
    const QString literal = likeLiteral(text, &escape);
    if (compound_ && sortField == Field::Surname) {
        const QString p = u'"' + doubled(literal, u'"') + QStringLiteral("%\"") + escape;
        return QStringLiteral("AND ([1002] like ") + p + QStringLiteral(" OR  [1020] like ") + p + u')';
    }
    return QStringLiteral("AND BORD10.[") + sortField + QStringLiteral("] like '") + doubled(literal, u'\'') +
           QStringLiteral("%'") + escape;
}

QString PersonsQuery::composeUnitClause(const QString& unitKey) {
    return QStringLiteral("AND bord10.[ID05]='") + doubled(unitKey, u'\'') + u'\'';
}

QString PersonsQuery::sortFieldsFor(const QString& field) {
    return valueOrName(field, kSortMap);
}

} // namespace ostrapel
