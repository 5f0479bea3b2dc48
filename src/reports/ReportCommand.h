#pragma once

#include "CommandArguments.h"
#include "ReportInputs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ostrapel {

class Connection;
class RecordCatalogue;
class ProgressReporter;

// The headless report: which report of which collectivity, parsed from
//   KIND --coll NR-VOLGNR --type 1|2 [--month YYYY-MM] [--from YYYY-MM --to YYYY-MM]
//   [--period SETTING] [--compound] [--page-length N] [--out FILE] [--pdf FILE]
// with KIND incasso, selectie, correctie or prolongatie.
struct ReportCommand : CommandTarget {
    // A page length outside these would print nothing useful, or build a
    // text of millions of empty lines in memory.
    static constexpr int kMinPageLength = 20;
    static constexpr int kMaxPageLength = 10000;

    ReportKind kind = ReportKind::Collection;
    QString month;
    QString from;
    QString to;
    bool compound = false;
    int pageLength = 0; // 0: the printer's
    QString pdfFile;
    QString filterName;   // --filter: a stored filter, looked up by the caller
    QString filterClause; // that filter's clause, as "Filter toepassen" hands it to the window

    // nullopt with `error` set when the arguments do not make a report.
    static std::optional<ReportCommand> parse(const QStringList& args, QString* error);

    // What the collectivity window would hand over with the search empty, every
    // drop-down at <ALLES>, the unit view off and this period setting.
    ReportInputs inputs() const;
    QString title() const;
    // The first option given that this report does not use, or empty.
    QString unusedOption(const QHash<QString, QString>& options) const;
    // Empty when the database holds the collectivity and the statements of
    // the months the report is about; else the message that says what is missing.
    QString missingData(Connection& connection) const;
    // The report text (Windows-1252); the footers show the current time.
    QByteArray build(Connection& connection, const RecordCatalogue& catalogue, int pageLength,
                     ProgressReporter& progress) const;
};

} // namespace ostrapel
