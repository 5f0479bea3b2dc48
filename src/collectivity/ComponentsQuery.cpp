#include "ComponentsQuery.h"

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
    const QString key = mode_ == Mode::Joint ? QStringLiteral("AND bord50.ID05 = :ID05")
                                             : QStringLiteral("AND bord50.ID07 = :ID07");
    return key + QStringLiteral(" AND bord50.ID01=%1 AND bord50.ID02=%2")
                     .arg(collectivity_.number)
                     .arg(collectivity_.sequence);
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
    clauses_[f] = QStringLiteral("AND bord50.[") + kFields[f] + QStringLiteral("] = ") + sqlTextLiteral(code);
    footerParts_[f] = kLabels[f] + entryText;
}

QStringList ComponentsQuery::filterLines() const {
    return {selectionClause(), periodClause, clauses_[Soort], clauses_[Component], clauses_[Herkomst]};
}

QStringList ComponentsQuery::lines() const {
    return QStringList{QStringLiteral("SELECT distinct ") + fieldList_, QStringLiteral("FROM BORD50"),
                       QStringLiteral("WHERE 1=1")} +
           filterLines() +
           QStringList{QStringLiteral("ORDER BY ID03 desc, [5003], [5004], [5002], [5009] desc")};
}

QStringList ComponentsQuery::totalsLines() const {
    return QStringList{QStringLiteral("select sum([5008]) as Totaal"), QStringLiteral("from bord50"),
                       QStringLiteral("where 1=1")} +
           filterLines();
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
