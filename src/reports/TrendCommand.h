#pragma once

#include "CommandArguments.h"

#include "collectivity/PremiumTrend.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace ostrapel {

class Connection;

// The headless premium trend, parsed from
//   --coll NR-VOLGNR --type 1|2 [--from YYYY-MM] [--to YYYY-MM]
// It prints "month;premium;corrections;persons" per month, ascending, the
// amounts with a decimal comma and no thousands separator.
struct TrendCommand : CommandTarget {
    QString from;
    QString to;

    // nullopt with `error` set when the arguments do not make a trend.
    static std::optional<TrendCommand> parse(const QStringList& args, QString* error);
    // The lines of the collectivity's months; throws DatabaseError.
    QStringList lines(Connection& connection) const;

    static QString line(const TrendMonth& month);
};

} // namespace ostrapel
