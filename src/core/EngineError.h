#pragma once

#include <QString>

class QSqlError;

namespace ostrapel {

// The engine's reason in one line: its first line, without the statement that
// a server quotes below it.
QString engineReason(const QSqlError& error);
QString engineReason(const QString& text);

// A failed statement: the user sees "Databasefout: " and the engine's reason;
// the statement itself goes to the SQL debug channel and the run log only.
[[noreturn]] void throwEngineError(const QString& reason, const QString& sql);
[[noreturn]] void throwEngineError(const QSqlError& error, const QString& sql);

} // namespace ostrapel
