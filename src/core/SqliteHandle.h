#pragma once

#include <QSqlDatabase>

struct sqlite3;

namespace ostrapel {

// The engine's own handle behind a Qt connection, for work Qt's SQL layer
// cannot do fast enough. Null when the connection is not SQLite; throws a
// DatabaseError when Qt's driver calls another SQLite library than ours,
// because the handle is only safe with the library that made it.
sqlite3* sqliteHandle(const QSqlDatabase& database);

} // namespace ostrapel
