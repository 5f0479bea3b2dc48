#include "EngineError.h"

#include "DatabaseError.h"
#include "RunLog.h"

#include <QLoggingCategory>
#include <QSqlError>

Q_DECLARE_LOGGING_CATEGORY(lcSql)

namespace ostrapel {

QString engineReason(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.left(trimmed.indexOf(u'\n')).trimmed();
}

QString engineReason(const QSqlError& error) {
    const QString reason = engineReason(error.databaseText());
    return reason.isEmpty() ? engineReason(error.text()) : reason;
}

void throwEngineError(const QString& reason, const QString& sql) {
    const QString message = QStringLiteral("Databasefout: %1").arg(engineReason(reason));
    qCDebug(lcSql).noquote() << message << "\n" << sql;
    try {
        writeRunLog(message + u'\n' + sql);
    } catch (...) {
        // the error itself is what the caller reports
    }
    throw DatabaseError(message);
}

void throwEngineError(const QSqlError& error, const QString& sql) {
    throwEngineError(engineReason(error), sql);
}

} // namespace ostrapel
