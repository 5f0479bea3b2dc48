#pragma once

#include "CommandArguments.h"
#include "ReportInputs.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace ostrapel {

class Connection;
class RecordCatalogue;

// The headless export, parsed from
//   --coll NR-VOLGNR --type 1|2 --fields10 LIST [--fields50 LIST] [--period SETTING] --out FILE
// LIST holds field names joined by ";". The export is the one the collectivity
// window would make with the search empty, every drop-down at <ALLES>, the unit
// view off and the period setting SETTING.
struct ExportCommand : CommandTarget {
    QString fields10;
    QString fields50;

    static std::optional<ExportCommand> parse(const QStringList& args, QString* error);
    ReportInputs inputs() const;
    // Empty when both field lists name known fields (--fields10 at least one);
    // else the message that says which list is empty or what it names wrongly.
    QString fieldListError(const RecordCatalogue& catalogue) const;
    // Writes the file (".xlsx" a workbook, else tab-separated text); returns the rows written.
    int run(Connection& connection, const RecordCatalogue& catalogue) const;
};

} // namespace ostrapel
