#include "ReportCommand.h"

#include "CommandArguments.h"
#include "ReportBuilder.h"
#include "ReportQueries.h"
#include "ReportTexts.h"

#include "core/Connection.h"
#include "core/RecordField.h"
#include "core/SqlFragments.h"

#include <QBuffer>
#include <algorithm>

namespace ostrapel {

std::optional<ReportCommand> ReportCommand::parse(const QStringList& args, QString* error) {
    static const QHash<QString, ReportKind> kinds{{QStringLiteral("incasso"), ReportKind::Collection},
                                                  {QStringLiteral("selectie"), ReportKind::Selection},
                                                  {QStringLiteral("correctie"), ReportKind::Correction},
                                                  {QStringLiteral("prolongatie"), ReportKind::Renewal}};
    if (args.isEmpty() || !kinds.contains(args[0])) {
        *error = QStringLiteral("Onbekend rapport: %1").arg(args.value(0));
        return std::nullopt;
    }
    ReportCommand c;
    c.kind = kinds.value(args[0]);
    const auto options = parseOptions(args.mid(1),
                                      CommandTarget::kOptions +
                                          QStringList{QStringLiteral("--month"), QStringLiteral("--from"),
                                                      QStringLiteral("--to"), QStringLiteral("--page-length"),
                                                      QStringLiteral("--pdf"), QStringLiteral("--filter")},
                                      {QStringLiteral("--compound")}, error);
    if (!options || !c.read(*options, error)) return std::nullopt;
    c.month = options->value(QStringLiteral("--month"));
    c.from = options->value(QStringLiteral("--from"));
    c.to = options->value(QStringLiteral("--to"));
    c.pdfFile = options->value(QStringLiteral("--pdf"));
    c.filterName = options->value(QStringLiteral("--filter"));
    c.compound = options->contains(QStringLiteral("--compound"));
    bool ok = true;
    if (options->contains(QStringLiteral("--page-length")))
        c.pageLength = options->value(QStringLiteral("--page-length")).toInt(&ok);
    // An option the report does not use would be left aside while the report
    // looks as if it had been applied.
    const QString unused = c.unusedOption(*options);
    // A selection takes its months from --period only: a month or a range given
    // the way the other reports take them would be left unused, and the report
    // would silently cover every month.
    const QStringList monthOptions{QStringLiteral("--month"), QStringLiteral("--from"),
                                   QStringLiteral("--to")};
    if (c.kind == ReportKind::Selection &&
        std::any_of(monthOptions.cbegin(), monthOptions.cend(),
                    [&](const QString& o) { return options->contains(o); }))
        *error =
            QStringLiteral("selectie neemt de maanden uit --period (bijv. --period \"2004-11;2005-02\")");
    else if (!unused.isEmpty())
        *error = QStringLiteral("%1 wordt niet gebruikt door het rapport %2").arg(unused, args[0]);
    else if (!ok || (c.pageLength != 0 && (c.pageLength < kMinPageLength || c.pageLength > kMaxPageLength)))
        *error = QStringLiteral("Ongeldige paginalengte: %1 (%2 tot en met %3 regels)")
                     .arg(options->value(QStringLiteral("--page-length")))
                     .arg(kMinPageLength)
                     .arg(kMaxPageLength);
    else if ((c.kind == ReportKind::Collection || c.kind == ReportKind::Correction) && !isMonth(c.month))
        *error = QStringLiteral("--month JJJJ-MM ontbreekt");
    else if (c.kind == ReportKind::Renewal && (!isMonth(c.from) || !isMonth(c.to) || c.to <= c.from))
        *error = QStringLiteral("--from en --to (JJJJ-MM, --to na --from) ontbreken");
    if (!error->isEmpty()) return std::nullopt;
    return c;
}

QString ReportCommand::unusedOption(const QHash<QString, QString>& options) const {
    // A selection uses --period and --filter; its month options have a message of their own.
    if (kind == ReportKind::Selection) return {};
    QStringList unused{QStringLiteral("--period"), QStringLiteral("--filter")};
    if (kind == ReportKind::Renewal)
        unused << QStringLiteral("--month");
    else
        unused << QStringLiteral("--from") << QStringLiteral("--to");
    for (const QString& option : std::as_const(unused))
        if (options.contains(option)) return option;
    return {};
}

ReportInputs ReportCommand::inputs() const {
    ReportInputs in;
    in.collectivity = collectivity;
    in.insuranceType = insuranceType;
    in.keyField = Field::PersonKey;
    in.sortField = Field::Surname;
    in.compoundSurname = compound;
    if (!filterClause.isEmpty()) in.filterClause = filterClause;
    if (kind == ReportKind::Collection) in.reportMonth = month;
    if (kind == ReportKind::Correction) in.correctionMonth = month;
    if (kind == ReportKind::Selection) {
        const PeriodClauses clauses = buildPeriodClauses(period);
        in.componentsPeriodClause = clauses.components;
        in.personsPeriodClause = clauses.persons;
    }
    return in;
}

QString ReportCommand::title() const {
    return kind == ReportKind::Renewal ? ReportTexts::renewalTitle(from, to)
                                       : ReportTexts::standardTitle(kind);
}

QString ReportCommand::missingData(Connection& connection) const {
    if (const QString unknown = unknownCollectivity(connection); !unknown.isEmpty()) return unknown;
    // Without them the report would be headed by another month with every
    // amount 0,00, or compare a month with nothing.
    QStringList months;
    if (kind == ReportKind::Collection || kind == ReportKind::Correction) months << month;
    if (kind == ReportKind::Renewal) months << from << to;
    for (const QString& m : std::as_const(months)) {
        const bool found =
            connection
                .scalar(ReportQueries::StatementCount, {{QStringLiteral("CollNr"), collectivity.number},
                                                        {QStringLiteral("CollVolgNr"), collectivity.sequence},
                                                        {QStringLiteral("Maand"), m}})
                .toInt() > 0;
        if (!found)
            return QStringLiteral("Collectiviteit %1 heeft geen borderel over %2")
                .arg(collectivity.text(), m);
    }
    return {};
}

QByteArray ReportCommand::build(Connection& connection, const RecordCatalogue& catalogue, int lines,
                                ProgressReporter& progress) const {
    ReportBuilder data(connection, catalogue);
    data.inputs = inputs();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (kind == ReportKind::Renewal) {
        DataSet overview = data.openRenewalDifferences(from, to);
        data.buildReport(kind, title(), &overview, 0, lines, out, progress);
    } else {
        data.buildReport(kind, title(), nullptr, 1, lines, out, progress);
    }
    return out.data();
}

} // namespace ostrapel
