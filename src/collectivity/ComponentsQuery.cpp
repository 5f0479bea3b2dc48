#include "ComponentsQuery.h"

#include "CollectivityQueries.h"
#include "CollectivityTexts.h"

#include "core/TextHelpers.h"

namespace ostrapel {

namespace {

const QStringList kSortMap = {QStringLiteral("ID03=ID03, 5003, 5004"), QStringLiteral("5005=5005, ID03"),
                              QStringLiteral("5012=5012, ID03")};
const QString kFields[3] = {Field::Origin, Field::ComponentKind, Field::ComponentName};
const QString kLabels[3] = {QStringLiteral("Herkomst = "), QStringLiteral("Soort = "),
                            QStringLiteral("component = ")};
const QString kNoPart = QStringLiteral("#");

} // namespace

ComponentsQuery::ComponentsQuery() : periodClause(kNeutralClause) {
    for (int i = 0; i < 3; ++i) {
        clauses_[i] = kNeutralClause;
        footerParts_[i] = kNoPart;
    }
}

QString ComponentsQuery::modeText() const {
    return mode_ == Mode::Joint ? CollectivityTexts::Gezamenlijk : CollectivityTexts::Individueel;
}

QString ComponentsQuery::selectionClause() const {
    return CollectivityQueries::componentsSelection(mode_ == Mode::Joint, collectivity_);
}

QString ComponentsQuery::fieldOf(Filter f) {
    return kFields[f];
}

void ComponentsQuery::setFilter(Filter f, const QString& code, const QString& entryText) {
    if (entryText.isEmpty()) {
        clauses_[f] = kNeutralClause;
        footerParts_[f] = kNoPart;
        return;
    }
    clauses_[f] = CollectivityQueries::componentsFilter(kFields[f], code);
    footerParts_[f] = kLabels[f] + entryText;
}

QStringList ComponentsQuery::filterLines() const {
    return {selectionClause(), periodClause, clauses_[Soort], clauses_[Component], clauses_[Herkomst]};
}

QStringList ComponentsQuery::lines() const {
    return CollectivityQueries::components(fieldList_, filterLines());
}

QStringList ComponentsQuery::totalsLines() const {
    return CollectivityQueries::componentTotals(filterLines());
}

QString ComponentsQuery::footerText() const {
    QString text =
        QStringList{modeText(), kNoPart, footerParts_[Herkomst], footerParts_[Soort], footerParts_[Component]}
            .join(u'/');
    text.remove(QStringLiteral("#/"));
    text.remove(u'#');
    text.remove(u'&');
    return text;
}

QString ComponentsQuery::sortFieldsFor(const QString& field) {
    return valueOrName(field, kSortMap);
}

} // namespace ostrapel
