#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QList>
#include <QString>

namespace ostrapel {

class Connection;

// The figures of one invoice month: renewal premium (origin 1), corrections
// (origins 2 and 3) and the insured persons that have components that month.
struct TrendMonth {
    QString month;
    double premium = 0;
    double corrections = 0;
    int persons = 0;
};

// How the premium of a collectivity's persons of one insurance type developed,
// month by month, ascending; `from` and `to` ("YYYY-MM", empty for no limit)
// narrow the months. Amounts are rounded to cents.
class PremiumTrend {
public:
    static QList<TrendMonth> read(Connection& connection, CollectivityKey collectivity, InsuranceType type,
                                  const QString& from = {}, const QString& to = {});
    // "2006-03: premie 1.234,56, correcties 12,00-, 15 verzekerden", the
    // amounts as the lists show them; one person is "1 verzekerde".
    static QString describe(const TrendMonth& month);
};

} // namespace ostrapel
