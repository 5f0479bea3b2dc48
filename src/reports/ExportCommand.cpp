#include "ExportCommand.h"

#include "CommandArguments.h"
#include "ExportWriter.h"
#include "ReportBuilder.h"

#include "collectivity/ComponentsQuery.h"
#include "collectivity/PersonsQuery.h"
#include "core/CatalogueError.h"
#include "core/OstrapelError.h"
#include "core/RecordCatalogue.h"

#include <QRegularExpression>

namespace ostrapel {

std::optional<ExportCommand> ExportCommand::parse(const QStringList& args, QString* error) {
    ExportCommand c;
    const auto options = parseOptions(
        args,
        CommandTarget::kOptions + QStringList{QStringLiteral("--fields10"), QStringLiteral("--fields50")}, {},
        error);
    if (!options || !c.read(*options, error)) return std::nullopt;
    c.fields10 = options->value(QStringLiteral("--fields10"));
    c.fields50 = options->value(QStringLiteral("--fields50"));
    // Field names go into the SQL text: only catalogue-like names are taken.
    static const QRegularExpression names(QStringLiteral("^[A-Za-z0-9; ]*$"));
    if (c.outFile.isEmpty())
        *error = QStringLiteral("--out ontbreekt");
    else if (!names.match(c.fields10).hasMatch() || !names.match(c.fields50).hasMatch())
        *error = QStringLiteral("Ongeldige veldnamen");
    if (!error->isEmpty()) return std::nullopt;
    return c;
}

ReportInputs ExportCommand::inputs() const {
    PersonsQuery persons;
    persons.setIdentity(collectivity, insuranceType);
    ComponentsQuery components;
    components.setIdentity(collectivity);
    const PeriodClauses clauses = buildPeriodClauses(period);
    ReportInputs in;
    in.collectivity = collectivity;
    in.insuranceType = insuranceType;
    in.personsWhereLine = persons.whereLine();
    in.selectionClause = components.selectionClause();
    in.componentsPeriodClause = clauses.components;
    in.personsPeriodClause = clauses.persons;
    return in;
}

QString ExportCommand::fieldListError(const RecordCatalogue& catalogue) const {
    const std::pair<QString, QString> lists[] = {{QStringLiteral("--fields10"), fields10},
                                                 {QStringLiteral("--fields50"), fields50}};
    for (const auto& [option, list] : lists) {
        const QStringList names = list.split(u';', Qt::SkipEmptyParts);
        int named = 0;
        for (const QString& name : names) {
            if (name.trimmed().isEmpty()) continue;
            ++named;
            bool known = false;
            try {
                known = catalogue.findField(name.trimmed()) != nullptr;
            } catch (const CatalogueError&) {
            }
            if (!known) return QStringLiteral("Onbekend veld in %1: %2").arg(option, name.trimmed());
        }
        if (named == 0 && (option == QStringLiteral("--fields10") || !list.isEmpty()))
            return QStringLiteral("%1 noemt geen velden").arg(option);
    }
    return {};
}

int ExportCommand::run(Connection& connection, const RecordCatalogue& catalogue) const {
    // Refused here in words, rather than as the engine's error about the SQL.
    if (const QString error = fieldListError(catalogue); !error.isEmpty()) throw OstrapelError(error);
    ReportBuilder data(connection, catalogue);
    data.inputs = inputs();
    DataSet& rows = data.buildExportQuery(fields10, fields50);
    ExportWriter(catalogue).write(rows, outFile);
    return rows.recordCount();
}

} // namespace ostrapel
