#pragma once

#include "core/Connection.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable test failures for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{' << l.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace ostrapel::test {

// True when the tests run against a PostgreSQL server: OSTRAPEL_TEST_POSTGRESQL
// holds the connection string of its maintenance database.
bool usingPostgreSql();
// Drops the server database the test folders are copied from; at the end of main().
void dropTemplateDatabase();
// The template shared by a whole test run (OSTRAPEL_TEST_PG_TEMPLATE names it):
// made before the first test case and dropped after the last; no-ops on SQLite.
void makeSharedTemplateDatabase();
void dropSharedTemplateDatabase();

// For a test about the SQLite file itself.
#define OSTRAPEL_SQLITE_ONLY(why)                                                                            \
    if (::ostrapel::test::usingPostgreSql()) GTEST_SKIP() << "SQLite only: " << why

// An empty database of its own on the test server, dropped at the end.
class EmptyServerDatabase {
public:
    EmptyServerDatabase();
    ~EmptyServerDatabase();
    EmptyServerDatabase(const EmptyServerDatabase&) = delete;
    EmptyServerDatabase& operator=(const EmptyServerDatabase&) = delete;
    QString connectionString() const;

private:
    QString name_;
};

// A throw-away program folder with a fresh copy of the delivered database; on
// a PostgreSQL server also a database of its own, named in the folder's
// computer settings.
class TestProgramDir {
public:
    TestProgramDir();
    ~TestProgramDir();
    TestProgramDir(const TestProgramDir&) = delete;
    TestProgramDir& operator=(const TestProgramDir&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& relative) const { return dir_.filePath(relative); }
    QString databasePath() const { return filePath(QStringLiteral("db/borderel.db")); }
    QString connectionString() const;

    // A connection opened on this folder's database.
    std::unique_ptr<Connection> connect(const QString& name = QStringLiteral("test"));

private:
    QTemporaryDir dir_;
    QString database_; // on the server; empty for the SQLite file
};

} // namespace ostrapel::test
