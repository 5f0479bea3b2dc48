#include "ExportQuery.h"

namespace ostrapel {

namespace {

QStringList fieldNames(const QString& fields) {
    QStringList names;
    for (const QString& f : fields.split(u';', Qt::SkipEmptyParts))
        if (!f.trimmed().isEmpty()) names << f.trimmed();
    return names;
}

QString joinParts(const QString& a, const QString& b, const QString& separator) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return a + separator + b;
}

} // namespace

ExportQuery::ExportQuery(const QString& personFields, const QString& componentFields)
    : personFields_(fieldNames(personFields)), componentFields_(fieldNames(componentFields)) {}

QString ExportQuery::columnList(const QString& fields, const QString& table) {
    QStringList columns;
    for (const QString& f : fieldNames(fields))
        columns << table + QStringLiteral(".[") + f + u']';
    return columns.join(QStringLiteral(", "));
}

QString ExportQuery::selectText() const {
    return QStringLiteral("SELECT ") +
           joinParts(columnList(personFields_.join(u';'), QStringLiteral("bord10")),
                     columnList(componentFields_.join(u';'), QStringLiteral("bord50")), QStringLiteral(","));
}

bool ExportQuery::usesComponents(const ReportInputs& in) const {
    return !componentFields_.isEmpty() || in.soortClause != kNeutralClause ||
           in.componentsPeriodClause != kNeutralClause || in.componentClause != kNeutralClause ||
           in.herkomstClause != kNeutralClause;
}

QString ExportQuery::sortList(const ReportInputs& in) const {
    const QString persons = personFields_.join(QStringLiteral(", "));
    return usesComponents(in)
               ? joinParts(persons, componentFields_.join(QStringLiteral(", ")), QStringLiteral(", "))
               : persons;
}

QStringList ExportQuery::lines(const ReportInputs& in) const {
    QStringList q{selectText()};
    if (usesComponents(in)) {
        QString selection = in.selectionClause;
        for (const QString& key : {QStringLiteral(":ID07"), QStringLiteral(":ID05")}) {
            const qsizetype at = selection.indexOf(key, 0, Qt::CaseSensitive);
            if (at >= 0) selection.replace(at, key.size(), QStringLiteral("bord10.ID07"));
        }
        q << QStringLiteral("from bord10, bord50") << in.personsWhereLine << selection;
        // Only the months of the window's insurance type: a person of both
        // types has the other type's components too.
        q << typeMonthCondition(in.insuranceType, QStringLiteral("bord50.[ID03]"));
    } else {
        q << QStringLiteral("from bord10") << in.personsWhereLine;
    }
    q << in.searchClause << in.unitClause << in.soortClause << in.componentsPeriodClause << in.componentClause
      << in.herkomstClause;
    return q;
}

} // namespace ostrapel
