#include "SqliteFile.h"

#include "core/DatabaseError.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

namespace ostrapel {

namespace {
QAtomicInt serial;
}

SqliteFile::SqliteFile(const QString& path, Mode mode)
    : name_(QStringLiteral("ostrapel-file-%1").arg(serial.fetchAndAddRelaxed(1))) {
    if (!QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("Het databasebestand \"%1\" bestaat niet.").arg(path));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(mode == Mode::ReadOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=1000"));
    if (!db.open()) {
        const QString error = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw DatabaseError(error);
    }
}

SqliteFile::~SqliteFile() {
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

void SqliteFile::vacuumInto(const QString& destination) {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    // A bound file name keeps quotes in the path harmless.
    if (!q.prepare(QStringLiteral("VACUUM INTO :file"))) throw DatabaseError(q.lastError().text());
    q.bindValue(QStringLiteral(":file"), destination);
    if (!q.exec()) throw DatabaseError(q.lastError().text());
}

QStringList SqliteFile::integrityProblems() {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!q.exec(QStringLiteral("PRAGMA integrity_check"))) return {q.lastError().text()};
    QStringList problems;
    while (q.next()) {
        const QString line = q.value(0).toString();
        if (line != QStringLiteral("ok")) problems << line;
    }
    return problems;
}

bool SqliteFile::nobodyElseWriting() {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    if (!q.exec(QStringLiteral("BEGIN EXCLUSIVE"))) return false;
    q.exec(QStringLiteral("ROLLBACK"));
    return true;
}

bool SqliteFile::holdWriteLock() {
    QSqlQuery q(QSqlDatabase::database(name_, false));
    return q.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

} // namespace ostrapel
