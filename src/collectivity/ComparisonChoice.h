#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

class Connection;

// The rules of the comparison dialog: two months of one insurance type, the
// later strictly after the earlier.
class ComparisonChoice {
public:
    static QStringList months(Connection& connection, CollectivityKey collectivity, InsuranceType type);

    explicit ComparisonChoice(QStringList months);
    const QStringList& months() const { return months_; }
    QString from;
    QString to; // the last month at first
    bool okEnabled() const { return !from.isEmpty() && !to.isEmpty() && to > from; }

private:
    QStringList months_;
};

} // namespace ostrapel
