#pragma once

#include <QSqlDatabase>
#include <QString>

namespace ostrapel {

// Makes sure the engine takes the text as exactly one statement before the
// driver sends it; throws DatabaseError otherwise. Qt's PostgreSQL driver sends
// every text (also a prepared one) with the simple query protocol, which runs
// any number of statements: there the server parses it first through the
// extended protocol, which refuses a second statement and runs nothing. Qt's
// SQLite driver refuses a second statement itself. "?" placeholders count as
// parameters.
void ensureOneStatement(const QSqlDatabase& database, const QString& engineSql);

} // namespace ostrapel
