#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// Splits a script into its statements at ";" outside quotes and comments.
// Comment-only and empty pieces are dropped.
QStringList splitSqlScript(const QString& script);

} // namespace ostrapel
