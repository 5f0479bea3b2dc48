#include "core/ServerPasswords.h"
#include "MemoryPasswordStore.h"
#include "core/ConnectionString.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

const ConnectionString kServer =
    ConnectionString::parse(QStringLiteral("Provider=PostgreSQL;Host=db;Database=ostrapel;User ID=piet"));

} // namespace

// The account's key leaves no part to chance: libpq's defaults fill an empty
// host and port, so one account never has two keys.
TEST(ServerPasswords, KeyNamesTheAccount) {
    EXPECT_EQ(ServerPasswords::key(kServer), QStringLiteral("postgresql://piet@db:5432/ostrapel"));
    EXPECT_EQ(ServerPasswords::key(ConnectionString::parse(
                  QStringLiteral("Provider=PostgreSQL;Port=5433;Database=x;User ID=y"))),
              QStringLiteral("postgresql://y@localhost:5433/x"));
}

// Only a server string without a password of its own takes the store's.
TEST(ServerPasswords, AServerStringWithoutPasswordTakesTheStoredOne) {
    test::MemoryPasswordStore store;
    store.passwords[ServerPasswords::key(kServer)] = QStringLiteral("geheim");
    const ServerPasswords passwords(store);
    const QString own = kServer.toString() + QStringLiteral(";Password=eigen");
    const QString sqlite = QStringLiteral("Provider=SQLite;Data Source=/db/borderel.db");
    EXPECT_EQ(ConnectionString::parse(passwords.withStoredPassword(kServer.toString()))
                  .value(QStringLiteral("Password")),
              QStringLiteral("geheim"));
    EXPECT_EQ(passwords.withStoredPassword(own), own);
    EXPECT_EQ(passwords.withStoredPassword(sqlite), sqlite);
    store.running = false;
    EXPECT_EQ(passwords.withStoredPassword(kServer.toString()), kServer.toString());
}

// The password store when one runs; else the password file, whole and for
// its owner only; else nowhere, said so.
TEST(ServerPasswords, KeepsWhereItCan) {
    QTemporaryDir home;
    const QString pgpass = home.filePath(QStringLiteral("pgpass"));
    const struct {
        bool storeRuns;
        QString file;
        ServerPasswords::Place place;
    } cases[] = {{true, pgpass, ServerPasswords::Place::PasswordStore},
                 {false, pgpass, ServerPasswords::Place::PasswordFile},
                 {false, home.filePath(QStringLiteral("weg/pgpass")), ServerPasswords::Place::Nowhere}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        qputenv("PGPASSFILE", c.file.toUtf8());
        test::MemoryPasswordStore store;
        store.running = c.storeRuns;
        EXPECT_EQ(ServerPasswords(store).keep(kServer, QStringLiteral("ge:heim")), c.place);
        EXPECT_EQ(store.passwords.value(ServerPasswords::key(kServer)),
                  c.storeRuns ? QStringLiteral("ge:heim") : QString());
        QFile file(pgpass);
        EXPECT_EQ(file.exists(), c.place == ServerPasswords::Place::PasswordFile);
        if (file.open(QIODevice::ReadOnly)) {
            EXPECT_EQ(file.readAll(), QByteArray("db:5432:ostrapel:piet:ge\\:heim\n"));
            EXPECT_EQ(file.permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                      QFile::ReadOwner | QFile::WriteOwner);
            file.remove();
        }
    }
    qunsetenv("PGPASSFILE");
}
