#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

class Connection;

// The invoice months of a collectivity's persons of one insurance type, for
// the submenus of "Te incasseren bedragen" and "Correctiepremies".
QStringList invoiceMonths(Connection& connection, int collNr, int collVolgNr, int verzType);

} // namespace ostrapel
