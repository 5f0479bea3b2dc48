// The database on a PostgreSQL server: creating it, migrating a file to it,
// and the maintenance commands there (pg_dump, VACUUM).
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/ConnectionString.h"
#include "core/DatabaseError.h"
#include "core/ProgressReporter.h"
#include "core/Settings.h"
#include "maintenance/DatabaseBackup.h"
#include "maintenance/DatabaseCompactor.h"
#include "maintenance/DatabaseMigration.h"
#include "maintenance/MaintenanceError.h"
#include "maintenance/MaintenanceTexts.h"
#include "maintenance/ServerDump.h"
#include "maintenance/UpdateScripts.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace ostrapel;
using namespace ostrapel::MaintenanceTexts;

namespace {

#define SERVER_ONLY()                                                                                        \
    if (!test::usingPostgreSql()) GTEST_SKIP() << "needs OSTRAPEL_TEST_POSTGRESQL"

struct Result {
    int exitCode;
    QString out, err;
};

Result cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(OSTRAPEL_CLI), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

qint64 count(Connection& c, const QString& sql) {
    return c.scalar(sql).toLongLong();
}

// A copy of the delivered database as an SQLite file in `folder`; its connection string.
// A copy of the delivered SQLite database with the given statements run on it.
QString sqliteCopy(const QTemporaryDir& folder, const QStringList& fill) {
    const QString file = folder.filePath(QStringLiteral("borderel.db"));
    EXPECT_TRUE(QFile::copy(QStringLiteral(OSTRAPEL_DELIVERED_DB), file));
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString connectionString = ConnectionString::forSqliteFile(file).toString();
    Connection c(QStringLiteral("fill"));
    c.open(connectionString);
    for (const QString& sql : fill)
        c.execute(sql);
    return connectionString;
}

QString plain(QString text) {
    return text.remove(u'\r');
}

} // namespace

TEST(ServerDatabase, CreateDatabaseBuildsTheDeliveredDatabaseOnce) {
    SERVER_ONLY();
    test::EmptyServerDatabase server;
    Result r =
        cli({QStringLiteral("create-database"), QStringLiteral("--connection"), server.connectionString()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("De database is aangemaakt.\n"));
    {
        Connection c(QStringLiteral("check"));
        c.open(server.connectionString());
        EXPECT_GT(count(c, QStringLiteral("select count(*) from RecStruct")), 70);
        EXPECT_EQ(count(c, QStringLiteral("select VERSIENR from VERSIECTRL")), 1);
    }
    r = cli({QStringLiteral("create-database"), QStringLiteral("--connection"), server.connectionString()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("bevat al tabellen"))) << r.err.toStdString();
    EXPECT_EQ(cli({QStringLiteral("create-database")}).exitCode, 2);
}

TEST(ServerDatabase, MigrationCopiesEveryRowOnceAndRefusesATargetWithData) {
    SERVER_ONLY();
    QTemporaryDir folder;
    const QString source = sqliteCopy(
        folder,
        {QStringLiteral("insert into bord00 (ID01, ID02, ID03, [0003]) values (12, 1, '2006-01', 'Smid')"),
         // a readable date, and the empty text SQLite keeps for an unreadable one
         QStringLiteral("insert into bord10 (ID01, ID02, ID03, ID07, [1002], [1005]) values "
                        "(12, 1, '2006-01', 'K1', 'Vries', '1970-03-02'), "
                        "(12, 1, '2006-01', 'K2', 'Dam', '')"),
         QStringLiteral("insert into Filters (FilterId, FilterNaam) values (5, 'Mijn filter')")});
    test::EmptyServerDatabase server;
    QStringList log;
    const auto tables =
        DatabaseMigration::run(source, server.connectionString(), [&](const QString& line) { log << line; });
    EXPECT_EQ(log.first(), QStringLiteral("De database wordt aangemaakt ..."));
    EXPECT_TRUE(log.contains(QStringLiteral("bord10: 2 rijen")));
    {
        Connection c(QStringLiteral("check"));
        c.open(server.connectionString());
        EXPECT_EQ(c.scalar(QStringLiteral("select [1005] from bord10 where ID07 = 'K1'")).toDate(),
                  QDate(1970, 3, 2));
        EXPECT_TRUE(c.scalar(QStringLiteral("select [1005] from bord10 where ID07 = 'K2'")).isNull());
        EXPECT_GT(count(c, QStringLiteral("select count(*) from RecStruct")), 70); // replaced, not doubled
        EXPECT_EQ(count(c, QStringLiteral("select count(*) from RecStruct")) % 75, 0);
        // the next filter gets the number after the copied one
        c.execute(QStringLiteral("insert into Filters (FilterNaam) values ('Nieuw')"));
        EXPECT_EQ(count(c, QStringLiteral("select FilterId from Filters where FilterNaam = 'Nieuw'")), 6);
    }
    const auto bord00 = std::find_if(tables.begin(), tables.end(),
                                     [](const auto& t) { return t.name == QStringLiteral("bord00"); });
    ASSERT_NE(bord00, tables.end());
    EXPECT_EQ(bord00->rows, 1);

    // a second run finds data there and changes nothing
    EXPECT_THROW(DatabaseMigration::run(source, server.connectionString()), DatabaseError);
    Connection c(QStringLiteral("again"));
    c.open(server.connectionString());
    EXPECT_EQ(count(c, QStringLiteral("select count(*) from bord10")), 2);
}

TEST(ServerDatabase, AMigrationThatFailsHalfwayCopiesNothing) {
    SERVER_ONLY();
    QTemporaryDir folder;
    const QString source = sqliteCopy(
        folder,
        {QStringLiteral("insert into bord00 (ID01, ID02, ID03) values (12, 1, '2006-01')"),
         QStringLiteral("insert into bord10 (ID01, ID02, ID07, [1005]) values (12, 1, 'K', 'gisteren')")});
    test::EmptyServerDatabase server;
    try {
        DatabaseMigration::run(source, server.connectionString());
        ADD_FAILURE() << "copied";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"gisteren\", geen datum")))
            << e.message().toStdString();
    }
    Connection c(QStringLiteral("check"));
    c.open(server.connectionString());
    EXPECT_EQ(count(c, QStringLiteral("select count(*) from bord00")), 0);
    EXPECT_EQ(count(c, QStringLiteral("select count(*) from bord10")), 0);
}

class ServerMaintenance : public ::testing::Test {
protected:
    void SetUp() override {
        SERVER_ONLY();
        settings = std::make_unique<Settings>(dir.path());
        connection = dir.connect();
        connection->execute(
            QStringLiteral("insert into bord00 (ID01, ID02, ID03, [0003]) values (7, 1, '2005-01', 'Smid')"));
    }
    QStringList dumps() const { return QDir(ServerDump::backupsFolder(dir.path())).entryList(QDir::Files); }

    test::TestProgramDir dir;
    test::ScriptedPrompts prompts;
    NullProgress progress;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<Connection> connection;
};

TEST_F(ServerMaintenance, BackupIsAPgDumpInTheBackupsFolder) {
    DatabaseBackup backup(*connection, *settings, prompts, progress);
    ASSERT_EQ(backup.run(), DatabaseBackup::Outcome::Done);
    EXPECT_EQ(prompts.texts(), QStringList{BackupDone});
    ASSERT_EQ(dumps().size(), 1);
    EXPECT_TRUE(backup.backupPath().endsWith(QStringLiteral(".dump")));
    QProcess restore;
    restore.start(QFileInfo(ServerDump::pgDumpProgram()).dir().filePath(QStringLiteral("pg_restore")),
                  {QStringLiteral("--list"), backup.backupPath()});
    ASSERT_TRUE(restore.waitForFinished(60000));
    EXPECT_EQ(restore.exitCode(), 0);
    EXPECT_TRUE(restore.readAllStandardOutput().contains("TABLE DATA public bord50"));
    EXPECT_TRUE(connection->isOpen()); // the server kept running: nothing closed
}

TEST_F(ServerMaintenance, WithoutPgDumpNoBackupAndNoSuccess) {
    const QString folder = ServerDump::backupsFolder(dir.path());
    try {
        ServerDump::dump(dir.connectionString(), folder, dir.filePath(QStringLiteral("geen/pg_dump")));
        ADD_FAILURE() << "dumped";
    } catch (const MaintenanceError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("pg_dump is niet geïnstalleerd")))
            << e.message().toStdString();
    }
    // a server that refuses: pg_dump's own words, and no file left behind
    ConnectionString wrong = ConnectionString::parse(dir.connectionString());
    wrong.setValue(QStringLiteral("Database"), QStringLiteral("bestaat_niet"));
    try {
        ServerDump::dump(wrong.toString(), folder);
        ADD_FAILURE() << "dumped";
    } catch (const MaintenanceError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("bestaat_niet"))) << e.message().toStdString();
    }
    EXPECT_TRUE(dumps().isEmpty());
}

TEST_F(ServerMaintenance, CompactIsVacuumWithTheSameMessage) {
    DatabaseCompactor compactor(*connection, *settings, prompts, progress);
    EXPECT_TRUE(compactor.compactAndRepair());
    EXPECT_EQ(prompts.texts(), QStringList{CompactDone});
    EXPECT_TRUE(AskKeepBackup.startsWith(CompactDone));
    EXPECT_TRUE(QFile::exists(settings->settingsFolder() + QStringLiteral("OnceAMonth")));
    EXPECT_TRUE(
        QDir(dir.filePath(QStringLiteral("db"))).entryList({QStringLiteral("*.b*")}, QDir::Files).isEmpty());
    EXPECT_EQ(count(*connection, QStringLiteral("select count(*) from bord00")), 1);
}

TEST_F(ServerMaintenance, UpdateScriptsDumpTheDatabaseFirst) {
    QFile script(settings->sqlScriptsDir() + QStringLiteral("dbupdate1-01.sql"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("select 1\n");
    script.close();
    UpdateScripts scripts(*connection, *settings, prompts);
    prompts.answers = {MsgButton::Yes};
    bool dialogRan = false;
    EXPECT_TRUE(scripts.runUpdateScripts([&](const QStringList&) {
        dialogRan = true;
        EXPECT_EQ(dumps().size(), 1); // before any statement runs
        return true;
    }));
    EXPECT_TRUE(dialogRan);
    EXPECT_TRUE(scripts.backupPath().endsWith(QStringLiteral(".dump")));
}

TEST_F(ServerMaintenance, CommandsBackupAndCompactOnTheServer) {
    const QStringList base{QStringLiteral("--program-dir"), dir.path()};
    Result r = cli(base + QStringList{QStringLiteral("backup")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, plain(BackupDone) + u'\n');
    r = cli(base + QStringList{QStringLiteral("compact")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, plain(CompactDone) + u'\n');
    // --connection names the database for one run
    r = cli(QStringList{QStringLiteral("--connection"), dir.connectionString(),
                        QStringLiteral("collectivities")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}

// Only an owner may vacuum: a role that may not gets a failure naming the
// right it lacks, not a success after warnings; the database's owner
// compacts without a warning (the shared system tables are left out).
TEST_F(ServerMaintenance, CompactNeedsTheOwnerAndWarnsNobody) {
    QSqlQuery admin(connection->database());
    const QString database = connection->database().databaseName();
    const QString stranger = QStringLiteral("ostrapel_vreemde_%1").arg(getpid());
    const QString owner = QStringLiteral("ostrapel_eigenaar_%1").arg(getpid());
    for (const QString& role : {stranger, owner})
        ASSERT_TRUE(admin.exec(QStringLiteral("CREATE ROLE %1 LOGIN").arg(role))) << role.toStdString();
    ASSERT_TRUE(admin.exec(QStringLiteral("ALTER DATABASE %1 OWNER TO %2").arg(database, owner)));
    const auto compactAs = [&](const QString& role) {
        QString as = dir.connectionString();
        as.replace(QStringLiteral("User ID=postgres"), QStringLiteral("User ID=") + role);
        return cli({QStringLiteral("--program-dir"), dir.path(), QStringLiteral("--connection"), as,
                    QStringLiteral("compact")});
    };
    const Result refused = compactAs(stranger);
    EXPECT_EQ(refused.exitCode, 2);
    // maintenance messages go to standard output, as a scheduled job logs them
    EXPECT_TRUE(refused.out.contains(QStringLiteral("de rol \"%1\" is geen eigenaar van").arg(stranger)))
        << refused.out.toStdString();
    EXPECT_FALSE(refused.err.contains(QStringLiteral("skipping"))) << refused.err.toStdString();
    EXPECT_FALSE(refused.out.contains(CompactDone));

    const Result done = compactAs(owner);
    EXPECT_EQ(done.exitCode, 0) << done.err.toStdString();
    EXPECT_EQ(done.out, plain(CompactDone) + u'\n');
    EXPECT_TRUE(done.err.isEmpty()) << done.err.toStdString();

    admin.exec(QStringLiteral("ALTER DATABASE %1 OWNER TO postgres").arg(database));
    for (const QString& role : {stranger, owner})
        admin.exec(QStringLiteral("DROP ROLE %1").arg(role));
}
