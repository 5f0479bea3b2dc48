#pragma once

#include <QLoggingCategory>
#include <QString>

namespace ostrapel {

// The SQL the reports and the export build, for whoever turns the category on
// (QT_LOGGING_RULES="ostrapel.sql.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcSql)

void sendDebugMessage(const QString& text);

} // namespace ostrapel
