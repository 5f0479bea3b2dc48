#include "ExportQuery.h"

#include "ReportQueries.h"

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

QString ExportQuery::selectText() const {
    return ReportQueries::exportSelect(personFields_, componentFields_);
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
    return ReportQueries::exportQuery(selectText(), usesComponents(in), in);
}

} // namespace ostrapel
