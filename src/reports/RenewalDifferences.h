#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

// The renewal premium components of one month compared with those of a later
// month: the 41-line differences query and the report's title.
class RenewalDifferences {
public:
    RenewalDifferences(CollectivityKey collectivity, InsuranceType type)
        : collectivity_(collectivity), insuranceType_(type) {}

    // `from` is the earlier month A, `to` the later month B.
    QStringList query(const QString& from, const QString& to) const;
    static QString title(const QString& from, const QString& to);

private:
    CollectivityKey collectivity_;
    InsuranceType insuranceType_;
};

} // namespace ostrapel
