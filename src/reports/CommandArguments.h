#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace ostrapel {

class Connection;

// "--name value" options and "--name" flags of the headless commands; nullopt
// with `error` set on an unknown option or a missing value.
std::optional<QHash<QString, QString>> parseOptions(const QStringList& args, const QStringList& valued,
                                                    const QStringList& flags, QString* error);
// "YYYY-MM" with a month of the year.
bool isMonth(const QString& text);
// A period option: one month, or two months joined by ";".
bool isPeriodOption(const QString& text);

// What both the report and the export command take: --coll NR-VOLGNR,
// --type 1|2, --period SETTING and --out FILE.
struct CommandTarget {
    CollectivityKey collectivity;
    InsuranceType insuranceType = InsuranceType::Standard;
    QString period;
    QString outFile;

    static const QStringList kOptions;
    // False with `error` set when a value is missing or wrong.
    bool read(const QHash<QString, QString>& options, QString* error);
    // Empty when the database holds statements of the collectivity; else the
    // message that says it does not.
    QString unknownCollectivity(Connection& connection) const;
};

} // namespace ostrapel
