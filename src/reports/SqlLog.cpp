#include "SqlLog.h"

namespace ostrapel {

Q_LOGGING_CATEGORY(lcSql, "ostrapel.sql", QtWarningMsg)

void sendDebugMessage(const QString& text) {
    qCDebug(lcSql).noquote() << text;
}

} // namespace ostrapel
