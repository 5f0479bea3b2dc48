#include "ReportCommand.h"

#include "ExportData.h"
#include "RenewalDifferences.h"
#include "ReportTexts.h"
#include "SqlLog.h"

#include "core/SqlFragments.h"

#include <QBuffer>
#include <QRegularExpression>

namespace ostrapel {

namespace {

bool isMonth(const QString& text) {
    static const QRegularExpression month(QStringLiteral("^\\d{4}-\\d{2}$"));
    return month.match(text).hasMatch();
}

} // namespace

std::optional<ReportCommand> ReportCommand::parse(const QStringList& args, QString* error) {
    const auto fail = [error](const QString& text) -> std::optional<ReportCommand> {
        *error = text;
        return std::nullopt;
    };
    if (args.isEmpty()) return fail(QStringLiteral("Geen rapport opgegeven"));
    ReportCommand c;
    const QString kind = args[0];
    if (kind == QStringLiteral("incasso"))
        c.kind = ReportKind::Collection;
    else if (kind == QStringLiteral("selectie"))
        c.kind = ReportKind::Selection;
    else if (kind == QStringLiteral("correctie"))
        c.kind = ReportKind::Correction;
    else if (kind == QStringLiteral("prolongatie"))
        c.kind = ReportKind::Renewal;
    else
        return fail(QStringLiteral("Onbekend rapport: %1").arg(kind));

    for (int i = 1; i < args.size(); ++i) {
        const QString& option = args[i];
        if (option == QStringLiteral("--compound")) {
            c.compound = true;
            continue;
        }
        if (i + 1 >= args.size()) return fail(QStringLiteral("Waarde ontbreekt bij %1").arg(option));
        const QString value = args[++i];
        if (option == QStringLiteral("--coll")) {
            const QStringList parts = value.split(u'-');
            bool ok1 = false, ok2 = false;
            if (parts.size() == 2) {
                c.collNr = parts[0].toInt(&ok1);
                c.collVolgNr = parts[1].toInt(&ok2);
            }
            if (!ok1 || !ok2) return fail(QStringLiteral("Ongeldige collectiviteit: %1").arg(value));
        } else if (option == QStringLiteral("--type")) {
            c.verzType = value == QStringLiteral("1") ? 1 : value == QStringLiteral("2") ? 2 : 0;
            if (c.verzType == 0) return fail(QStringLiteral("Ongeldig verzekeringstype: %1").arg(value));
        } else if (option == QStringLiteral("--month")) {
            c.month = value;
        } else if (option == QStringLiteral("--from")) {
            c.from = value;
        } else if (option == QStringLiteral("--to")) {
            c.to = value;
        } else if (option == QStringLiteral("--period")) {
            c.period = value;
        } else if (option == QStringLiteral("--page-length")) {
            bool ok = false;
            c.pageLength = value.toInt(&ok);
            if (!ok || c.pageLength < 20)
                return fail(QStringLiteral("Ongeldige paginalengte: %1").arg(value));
        } else if (option == QStringLiteral("--out")) {
            c.outFile = value;
        } else if (option == QStringLiteral("--pdf")) {
            c.pdfFile = value;
        } else {
            return fail(QStringLiteral("Onbekende optie: %1").arg(option));
        }
    }
    if (c.collNr < 0) return fail(QStringLiteral("--coll ontbreekt"));
    if (c.verzType == 0) return fail(QStringLiteral("--type ontbreekt"));
    if ((c.kind == ReportKind::Collection || c.kind == ReportKind::Correction) && !isMonth(c.month))
        return fail(QStringLiteral("--month JJJJ-MM ontbreekt"));
    if (c.kind == ReportKind::Renewal && (!isMonth(c.from) || !isMonth(c.to) || c.to <= c.from))
        return fail(QStringLiteral("--from en --to (JJJJ-MM, --to na --from) ontbreken"));
    for (const QString& m : c.period.split(u';', Qt::SkipEmptyParts))
        if (!isMonth(m)) return fail(QStringLiteral("Ongeldige periode: %1").arg(c.period));
    return c;
}

ReportInputs ReportCommand::inputs() const {
    ReportInputs in;
    in.collNr = collNr;
    in.collVolgNr = collVolgNr;
    in.verzType = verzType;
    in.keyField = QStringLiteral("ID07");
    in.sortField = QStringLiteral("1002");
    in.compoundSurname = compound;
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
    return kind == ReportKind::Renewal ? RenewalDifferences::title(from, to)
                                       : ReportTexts::standardTitle(kind);
}

QByteArray ReportCommand::build(Connection& connection, const RecordCatalogue& catalogue, int lines,
                                ReportProgress& progress) const {
    ExportData data(connection, catalogue);
    data.inputs = inputs();
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (kind == ReportKind::Renewal) {
        const QString sql = RenewalDifferences(collNr, collVolgNr, verzType).query(from, to).join(u"\r\n");
        sendDebugMessage(sql);
        DataSet overview = data.openQuery(sql);
        data.buildReport(kind, title(), &overview, 0, lines, out, progress);
    } else {
        data.buildReport(kind, title(), nullptr, 1, lines, out, progress);
    }
    return out.data();
}

} // namespace ostrapel
