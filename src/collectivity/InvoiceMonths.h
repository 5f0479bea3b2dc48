#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

class Connection;

// The invoice months of a collectivity's persons of one insurance type, for
// the submenus of "Te incasseren bedragen" and "Correctiepremies".
QStringList invoiceMonths(Connection& connection, CollectivityKey collectivity, InsuranceType type);

} // namespace ostrapel
