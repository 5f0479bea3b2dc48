#include "SqliteHandle.h"

#include "DatabaseError.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>
#include <sqlite3.h>

namespace ostrapel {

sqlite3* sqliteHandle(const QSqlDatabase& database) {
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    // The source id tells apart two builds of one version (a driver with its own copy).
    QSqlQuery version(database);
    if (!version.exec(QStringLiteral("select sqlite_version(), sqlite_source_id()")) || !version.next() ||
        version.value(0).toString() != QLatin1String(sqlite3_libversion()) ||
        version.value(1).toString() != QLatin1String(sqlite3_sourceid()))
        throw DatabaseError(
            QStringLiteral("Databasefout: het databasestuurprogramma gebruikt een andere SQLite-versie (%1) "
                           "dan het programma (%2).")
                .arg(version.value(0).toString(), QLatin1String(sqlite3_libversion())));
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace ostrapel
