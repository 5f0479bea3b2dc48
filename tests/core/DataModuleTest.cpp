#include "MemoryPasswordStore.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/ConnectionString.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/IniFile.h"
#include "core/ProgressReporter.h"
#include "core/ServerPasswords.h"
#include "core/Settings.h"
#include "core/StatementDatabase.h"
#include "core/Transaction.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace ostrapel;
using namespace ostrapel::DataModuleTexts;

namespace {

class DataModuleFixture : public ::testing::Test {
protected:
    test::TestProgramDir dir;
    Settings settings{dir.path()};
    test::ScriptedPrompts prompts;
    test::MemoryPasswordStore passwords;
    StatementDatabase dm{settings, prompts, passwords};
};

void statement(Connection& c, int coll, const QString& period, const QString& valuta, double amount) {
    const QVariantMap key = {
        {QStringLiteral("c"), coll}, {QStringLiteral("p"), period}, {QStringLiteral("a"), amount}};
    c.execute(QStringLiteral("insert into bord00 (ID01, ID02, ID03, [0018]) values (:c, 1, :p, :v)"),
              {{QStringLiteral("c"), coll}, {QStringLiteral("p"), period}, {QStringLiteral("v"), valuta}});
    c.execute(
        QStringLiteral(
            "insert into bord10 (ID01, ID02, ID03, ID07, [1024], [1026]) values (:c, 1, :p, 'K', ' ', :a)"),
        key);
    c.execute(
        QStringLiteral("insert into bord50 (ID01, ID02, ID03, ID07, [5008]) values (:c, 1, :p, 'K', :a)"),
        key);
    c.execute(
        QStringLiteral(
            "insert into bord99 (ID01, ID02, ID03, [9905], [9906], [9907]) values (:c, 1, :p, :a, :a, :a)"),
        key);
}

double amount(Connection& c, const QString& table, const QString& column, int coll) {
    return c
        .scalar(QStringLiteral("select ") + column + QStringLiteral(" from ") + table +
                    QStringLiteral(" where ID01 = :c"),
                {{QStringLiteral("c"), coll}})
        .toDouble();
}

QString indexDefinition(Connection& c, const QString& name) {
    if (c.isPostgreSql()) {
        QSqlQuery q(c.database());
        q.prepare(QStringLiteral("select indexdef from pg_indexes where lower(indexname) = lower(?)"));
        q.addBindValue(name);
        return q.exec() && q.next() ? q.value(0).toString() : QString();
    }
    return c
        .scalar(QStringLiteral("select sql from sqlite_master where name = :n"),
                {{QStringLiteral("n"), name}})
        .toString();
}

// What the engine says of a database file that is not there.
QString missingFile(const QString& path) {
    return QStringLiteral("Het databasebestand \"%1\" bestaat niet.").arg(path);
}

} // namespace

TEST_F(DataModuleFixture, CreateConnectsAndWritesTheConnectionString) {
    ASSERT_TRUE(dm.startUp([] { return ZipCheck::Ok; }));
    EXPECT_TRUE(dm.tableNames().contains(QStringLiteral("RecStruct")));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(IniFile(settings.computerFile())
                  .readString(QStringLiteral("Main"), QStringLiteral("ADOConnectionString"), {}),
              ConnectionString::parse(dir.connectionString()).withoutPassword());
}

// The start names a settings file too large to be read, and goes on without it.
TEST(DataModule, StartNamesASettingsFileTooLargeToRead) {
    test::TestProgramDir dir;
    const QString user =
        dir.filePath(QStringLiteral("Settings/USR_") + SettingsStore::userName() + QStringLiteral(".ini"));
    {
        QDir().mkpath(QFileInfo(user).absolutePath());
        QFile f(user);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Main]\n" + QByteArray(IniFile::kMaxSize, ';'));
    }
    Settings settings(dir.path());
    test::ScriptedPrompts prompts;
    test::MemoryPasswordStore passwords;
    StatementDatabase dm(settings, prompts, passwords);
    EXPECT_TRUE(dm.startUp());
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("Het instellingenbestand \"%1\" is groter dan 1 MB en wordt niet "
                                         "gebruikt. De instellingen van deze sessie worden niet bewaard.")
                              .arg(user)});
}

// A server password never stays in a settings file: one found there, or typed
// in the editor, goes at the first connection it makes to the desktop's
// password store, without one to the password file (mode 0600); where neither
// can keep it, one in the settings file stays and keeps working. The editor is
// told that a password is in use, never given it. The next start finds the
// password where it went. The test server takes any password.
TEST(DataModule, AServerPasswordGoesToThePasswordStore) {
    if (!test::usingPostgreSql()) GTEST_SKIP() << "a server connection";
    enum class Keeper { Store, File, Nobody };
    const QString secret = QStringLiteral("geheim");
    QTemporaryDir home;
    for (const Keeper keeper : {Keeper::Store, Keeper::File, Keeper::Nobody}) {
        for (const bool viaEditor : {false, true}) {
            SCOPED_TRACE(testing::Message() << "keeper " << int(keeper) << (viaEditor ? ", editor" : ""));
            const QString pgpass = home.filePath(keeper == Keeper::Nobody ? QStringLiteral("weg/pgpass")
                                                                          : QStringLiteral("pgpass"));
            qputenv("PGPASSFILE", pgpass.toUtf8());
            test::TestProgramDir dir;
            const ConnectionString good = ConnectionString::parse(dir.connectionString());
            ConnectionString wrong = good;
            wrong.setValue(QStringLiteral("Database"), QStringLiteral("bestaat_niet"));
            ConnectionString inFile = viaEditor ? wrong : good;
            if (!viaEditor) inFile.setValue(QStringLiteral("Password"), secret);
            test::MemoryPasswordStore store;
            store.running = keeper == Keeper::Store;
            store.passwords[ServerPasswords::key(wrong)] = QStringLiteral("oud");
            {
                Settings settings(dir.path());
                settings.setDatabaseConnectionString(inFile.toString());
                test::ScriptedPrompts prompts;
                if (viaEditor) {
                    // retry with the editor and a new password, then store the string
                    prompts.answers = {MsgButton::Yes, MsgButton::Yes};
                    prompts.editedStrings = {ConnectionEdit{good.withoutPassword(), secret}};
                }
                StatementDatabase dm(settings, prompts, store);
                ASSERT_TRUE(dm.startUp());
                EXPECT_EQ(prompts.editorCalls,
                          viaEditor ? QStringList{wrong.withoutPassword()} : QStringList());
                if (viaEditor) {
                    EXPECT_EQ(prompts.editorPasswordInUse.at(0), keeper == Keeper::Store);
                }
                EXPECT_EQ(prompts.texts().contains(PasswordNotKept.arg(pgpass)),
                          viaEditor && keeper == Keeper::Nobody);
            }
            int filesWithPassword = 0;
            QDirIterator files(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                QFile f(files.next());
                ASSERT_TRUE(f.open(QIODevice::ReadOnly));
                filesWithPassword += f.readAll().contains(secret.toUtf8());
            }
            EXPECT_EQ(filesWithPassword, keeper == Keeper::Nobody && !viaEditor ? 1 : 0);
            EXPECT_EQ(store.passwords.value(ServerPasswords::key(good)),
                      keeper == Keeper::Store ? secret : QString());
            QFile file(pgpass);
            EXPECT_EQ(file.exists(), keeper == Keeper::File);
            if (keeper == Keeper::File) {
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                const QByteArray lines = file.readAll();
                EXPECT_EQ(lines.count(":" + good.value(QStringLiteral("Database")).toUtf8() + ":"), 1);
                EXPECT_TRUE(lines.endsWith(":" + secret.toUtf8() + "\n"));
                EXPECT_EQ(file.permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                          QFile::ReadOwner | QFile::WriteOwner);
            }
            {
                Settings settings(dir.path());
                test::ScriptedPrompts prompts;
                StatementDatabase dm(settings, prompts, store);
                ASSERT_TRUE(dm.startUp());
                // libpq reads the password file itself
                const bool given = keeper == Keeper::Store || (keeper == Keeper::Nobody && !viaEditor);
                EXPECT_EQ(ConnectionString::parse(dm.connection().connectionString())
                              .value(QStringLiteral("Password")),
                          given ? secret : QString());
            }
            QFile::remove(pgpass);
        }
    }
    qunsetenv("PGPASSFILE");
}

TEST_F(DataModuleFixture, ZipLibraryFailureEndsWithItsMessage) {
    EXPECT_FALSE(dm.startUp([] { return ZipCheck::DecompressFailed; }));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, UnzipLibraryFailed);
    EXPECT_FALSE(dm.connection().isOpen());
}

TEST_F(DataModuleFixture, ConnectionRetryCycle) {
    OSTRAPEL_SQLITE_ONLY("a missing database file");
    const QString real = dir.databasePath();
    const QString moved = real + QStringLiteral(".weg");
    ASSERT_TRUE(QFile::rename(real, moved));

    // declining at once ends without the editor; the question says what the engine said
    prompts.answers = {MsgButton::No};
    EXPECT_FALSE(dm.startUp());
    const QString question = noConnectionQuestion(missingFile(real));
    EXPECT_EQ(dm.connectionFailure(), missingFile(real));
    EXPECT_EQ(prompts.texts(), QStringList{question});
    EXPECT_EQ(question, QStringLiteral("Er kon geen connectie worden gemaakt met de database!\n\r") +
                            missingFile(real) +
                            QStringLiteral("\n\r\n\rWilt u de connectie-string bewerken?"));
    EXPECT_EQ(prompts.messages[0].type, MsgType::Error);
    EXPECT_TRUE(prompts.editorCalls.isEmpty());

    // four times Yes without a fix brings the "3 keer" question; No there ends
    prompts.messages.clear();
    prompts.answers = {MsgButton::Yes, MsgButton::Yes, MsgButton::Yes, MsgButton::Yes, MsgButton::No};
    prompts.editedStrings = {std::nullopt, std::nullopt, std::nullopt}; // cancelled each time
    EXPECT_FALSE(dm.startUp());
    EXPECT_EQ(prompts.texts(), (QStringList{question, question, question, question, ThreeTimes}));
    EXPECT_EQ(prompts.editorCalls.size(), 3);
    EXPECT_FALSE(QFileInfo::exists(real)); // never created by trying

    // Yes there starts a new cycle; an edited string that works connects
    prompts.messages.clear();
    prompts.editorCalls.clear();
    prompts.answers = {MsgButton::Yes, MsgButton::Yes, MsgButton::Yes, MsgButton::Yes,
                       MsgButton::Yes, MsgButton::Yes, MsgButton::No};
    prompts.editedStrings = {std::nullopt, std::nullopt, std::nullopt,
                             ConnectionEdit{QStringLiteral("Provider=SQLite;Data Source=") + moved, {}}};
    EXPECT_TRUE(dm.startUp());
    EXPECT_EQ(prompts.texts(), (QStringList{question, question, question, question, ThreeTimes, question,
                                            StoreConnectionString}));
    EXPECT_EQ(prompts.editorCalls.size(), 4);
}

TEST_F(DataModuleFixture, DatabaseVersion) {
    ASSERT_TRUE(dm.startUp());
    EXPECT_EQ(dm.getDatabaseVersion(), 1);
    dm.checkDatabaseVersion();
    EXPECT_TRUE(prompts.messages.empty());

    // only SQLite stores a text in a number column; on a server the row goes
    dm.connection().execute(test::usingPostgreSql()
                                ? QStringLiteral("delete from VERSIECTRL")
                                : QStringLiteral("update VERSIECTRL set VERSIENR = 'abc'"));
    EXPECT_EQ(dm.getDatabaseVersion(), -1);

    dm.connection().execute(QStringLiteral("drop table VERSIECTRL"));
    dm.connection().close();
    ASSERT_TRUE(dm.startUp());
    EXPECT_EQ(dm.getDatabaseVersion(), 0);
    dm.checkDatabaseVersion();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].type, MsgType::Information);
    EXPECT_EQ(
        prompts.messages[0].text,
        QStringLiteral(
            "Er is een verschil in de versie van de\r\nOstrapel applicatie en de Ostrapel database.\r\n\r\n"
            "Applicatie: 1\r\nDatabase: 0"));
}

TEST_F(DataModuleFixture, CollectivityExistsPerInsuranceType) {
    ASSERT_TRUE(dm.startUp());
    statement(dm.connection(), 12, QStringLiteral("2006-01"), QStringLiteral("EUR"), 1);
    EXPECT_TRUE(dm.collectivityExists({12, 1}, InsuranceType::Standard));
    EXPECT_FALSE(dm.collectivityExists({12, 1}, InsuranceType::SicknessFundOrPrivate));
    EXPECT_FALSE(dm.collectivityExists({12, 2}, InsuranceType::Standard));
}

// A database that cannot answer is not a collectivity that is gone.
TEST(DataModule, CollectivityExistsReportsADatabaseThatCannotAnswer) {
    using Fault = std::function<void(test::TestProgramDir&, Connection&)>;
    std::vector<std::pair<const char*, Fault>> faults = {
        {"connection closed", [](test::TestProgramDir&, Connection& c) { c.close(); }},
        {"table gone",
         [](test::TestProgramDir&, Connection& c) { c.execute(QStringLiteral("drop table bord10")); }},
    };
    if (test::usingPostgreSql())
        faults.push_back(
            {"session ended by the server", [](test::TestProgramDir& dir, Connection& c) {
                 QSqlQuery pid(c.database());
                 ASSERT_TRUE(pid.exec(QStringLiteral("select pg_backend_pid()")) && pid.next());
                 auto other = dir.connect(QStringLiteral("other"));
                 QSqlQuery end(other->database());
                 ASSERT_TRUE(
                     end.exec(QStringLiteral("select pg_terminate_backend(%1)").arg(pid.value(0).toInt())));
             }});
    for (const auto& [name, fault] : faults) {
        SCOPED_TRACE(name);
        test::TestProgramDir dir;
        Settings settings(dir.path());
        test::ScriptedPrompts prompts;
        test::MemoryPasswordStore passwords;
        StatementDatabase dm(settings, prompts, passwords);
        ASSERT_TRUE(dm.startUp());
        statement(dm.connection(), 12, QStringLiteral("2006-01"), QStringLiteral("EUR"), 1);
        ASSERT_TRUE(dm.collectivityExists({12, 1}, InsuranceType::Standard));
        fault(dir, dm.connection());
        EXPECT_THROW(dm.collectivityExists({12, 1}, InsuranceType::Standard), DatabaseError);
    }
}

TEST_F(DataModuleFixture, RepairsRunAtEveryStartAndTheIndexOnce) {
    ASSERT_TRUE(dm.startUp());
    dm.connection().execute(
        QStringLiteral("update RecStruct set PickList = '' where Soort = '50' and VeldNr = '02'"));
    dm.repairCatalogueAndIndex();
    dm.repairCatalogueAndIndex(); // the index exists now: ignored
    EXPECT_EQ(
        dm.connection()
            .scalar(QStringLiteral("select PickList from RecStruct where Soort = '50' and VeldNr = '02'"))
            .toString(),
        QStringLiteral("1=PROL;2=MUT;3=HAND"));
    EXPECT_TRUE(indexDefinition(dm.connection(), QStringLiteral("IDX_BORD10_ID01_ID02_ID07_1024")).size() >
                0);
    // a database from before the index gets it at the start
    dm.connection().execute(QStringLiteral("drop index IDX_BORD50_COMPONENT_SET"));
    dm.repairCatalogueAndIndex();
    EXPECT_TRUE(indexDefinition(dm.connection(), QStringLiteral("IDX_BORD50_COMPONENT_SET"))
                    .contains(QStringLiteral("<> ''")));
}

TEST_F(DataModuleFixture, RepairsWriteNothingWhenNothingDiffers) {
    ASSERT_TRUE(dm.startUp());
    dm.repairCatalogueAndIndex();
    // another program holds the write lock and has written rows, as an import does
    auto other = dir.connect(QStringLiteral("other"));
    other->beginTransaction();
    statement(*other, 99, QStringLiteral("2006-01"), QStringLiteral("EUR"), 1);
    QElapsedTimer timer;
    timer.start();
    EXPECT_NO_THROW(dm.repairCatalogueAndIndex());
    EXPECT_LT(timer.elapsed(), 2000); // no wait for the lock
    other->rollback();
}

TEST_F(DataModuleFixture, EuroConversion) {
    ASSERT_TRUE(dm.startUp());
    Connection& c = dm.connection();
    NullProgress progress;

    statement(c, 1, QStringLiteral("2001-12"), QStringLiteral("HFL"), 220.371);
    dm.convertToEuro(progress); // guilders only: left alone
    EXPECT_DOUBLE_EQ(amount(c, QStringLiteral("bord50"), QStringLiteral("[5008]"), 1), 220.371);
    EXPECT_TRUE(prompts.messages.empty());

    statement(c, 2, QStringLiteral("2002-01"), QStringLiteral("EUR"), 50);
    statement(c, 3, QStringLiteral("2001-11"), QStringLiteral("HFL"), 10);
    dm.convertToEuro(progress);
    for (const char* t :
         {"bord10|[1026]", "bord50|[5008]", "bord99|[9905]", "bord99|[9906]", "bord99|[9907]"}) {
        const QStringList tc = QString::fromLatin1(t).split(u'|');
        EXPECT_DOUBLE_EQ(amount(c, tc[0], tc[1], 1), 100.0) << t;
        EXPECT_DOUBLE_EQ(amount(c, tc[0], tc[1], 3), 4.54) << t;
        EXPECT_DOUBLE_EQ(amount(c, tc[0], tc[1], 2), 50.0) << t;
    }
    EXPECT_EQ(c.scalar(QStringLiteral("select count(*) from bord00 where [0018] = 'HFL'")).toInt(), 0);
    EXPECT_EQ(prompts.texts(), QStringList{EuroDone});
    EXPECT_EQ(prompts.messages[0].type, MsgType::Warning);

    prompts.messages.clear();
    dm.convertToEuro(progress); // euro only now: nothing to do, nothing said
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DataModuleFixture, EuroConversionFailingHalfWayChangesNothing) {
    ASSERT_TRUE(dm.startUp());
    Connection& c = dm.connection();
    statement(c, 2, QStringLiteral("2002-01"), QStringLiteral("EUR"), 50);
    statement(c, 1, QStringLiteral("2001-12"), QStringLiteral("HFL"), 220.371);
    c.execute(QStringLiteral(
        "alter table bord10 rename to bord10_weg")); // the third command of each statement fails
    NullProgress progress;
    dm.convertToEuro(progress);
    EXPECT_DOUBLE_EQ(amount(c, QStringLiteral("bord99"), QStringLiteral("[9905]"), 1), 220.371);
    EXPECT_DOUBLE_EQ(amount(c, QStringLiteral("bord50"), QStringLiteral("[5008]"), 1), 220.371);
    EXPECT_EQ(c.scalar(QStringLiteral("select [0018] from bord00 where ID01 = 1")).toString(),
              QStringLiteral("HFL"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].type, MsgType::Error);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(EuroFailed.arg(QString())))
        << prompts.messages[0].text.toStdString();
    EXPECT_GT(prompts.messages[0].text.size(), EuroFailed.arg(QString()).size()); // with the engine's reason
    EXPECT_FALSE(c.inTransaction());
}

TEST_F(DataModuleFixture, MonthlyCheckReminder) {
    const QString marker = settings.settingsFolder() + QStringLiteral("OnceAMonth");
    const QDateTime now = QDateTime::currentDateTime();
    int compacts = 0;
    auto compact = [&] {
        ++compacts;
        return true;
    };
    dm.databaseCheckReminder(now, compact); // missing marker: created without asking
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_TRUE(prompts.messages.empty());

    auto age = [&](int days) {
        QFile f(marker);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(now.addDays(-days), QFileDevice::FileModificationTime));
    };
    age(30);
    dm.databaseCheckReminder(now, compact);
    EXPECT_TRUE(prompts.messages.empty());

    age(31);
    prompts.answers = {MsgButton::No};
    dm.databaseCheckReminder(now, compact);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, CheckReminder.arg(31));
    EXPECT_EQ(prompts.messages[0].type, MsgType::Warning);
    EXPECT_EQ(compacts, 0);
    EXPECT_LE(QFileInfo(marker).lastModified().secsTo(now), 1); // No: asked again in 30 days

    age(45);
    prompts.answers = {MsgButton::Yes};
    dm.databaseCheckReminder(now, compact);
    EXPECT_EQ(compacts, 1);
}

TEST_F(DataModuleFixture, AnEditedStringThatConnectsIsOfferedForTheComputerSettings) {
    const QString broken = ConnectionString::forSqliteFile(dir.filePath(QStringLiteral("weg.db"))).toString();
    for (const bool store : {false, true}) {
        SCOPED_TRACE(store);
        settings.setDatabaseConnectionString(broken);
        prompts.messages.clear();
        prompts.answers = {MsgButton::Yes, store ? MsgButton::Yes : MsgButton::No};
        prompts.editedStrings = {ConnectionEdit{dir.connectionString(), {}}};
        ASSERT_TRUE(dm.startUp());
        EXPECT_EQ(prompts.texts(),
                  (QStringList{noConnectionQuestion(missingFile(dir.filePath(QStringLiteral("weg.db")))),
                               StoreConnectionString}));
        EXPECT_EQ(settings.databaseConnectionString(), store ? dir.connectionString() : broken);
    }
    // the stored string is used from then on, without questions
    prompts.messages.clear();
    ASSERT_TRUE(dm.startUp());
    EXPECT_TRUE(prompts.messages.empty());
}
