#pragma once

#include "core/RecordField.h"
#include "core/SqlFragments.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

// The eight lines of the persons query and the fragments they are made of.
// Lines are replaced by position; none is ever added or removed.
class PersonsQuery {
public:
    PersonsQuery();

    void setIdentity(CollectivityKey collectivity, InsuranceType type);
    void setFieldList(const QString& fieldList) { fieldList_ = fieldList; }
    void setCompoundSurname(bool on) { compound_ = on; }
    bool compoundSurname() const { return compound_; }
    void setUnitView(bool on) { unitView_ = on; }
    bool unitView() const { return unitView_; }

    QString searchClause;
    QString unitClause;
    QString filterClause;
    QString periodClause;

    // The whole query, one entry per line, and as one text.
    QStringList lines() const;
    QString sql() const { return lines().join(QStringLiteral("\r\n")); }
    // The query without its last line, ORDER BY on orderField().
    QString unorderedSql() const { return lines().mid(0, 7).join(QStringLiteral("\r\n")); }
    static QString orderField() { return Field::Surname; }
    QString whereLine() const;

    // "AND BORD10.[field] like 'T%'", or the compound variant on 1002; quotes
    // in the typed text are doubled so the clause stays valid SQL.
    QString composeSearchClause(const QString& text, const QString& sortField) const;
    static QString composeUnitClause(const QString& unitKey);
    // The fields a sort on `field` uses: the sort map's list, or the field itself.
    static QString sortFieldsFor(const QString& field);

private:
    CollectivityKey collectivity_;
    InsuranceType insuranceType_ = InsuranceType::Standard;
    QString fieldList_;
    bool compound_ = false;
    bool unitView_ = false;
};

} // namespace ostrapel
