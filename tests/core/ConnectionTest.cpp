#include "TestProgramDir.h"
#include "core/ConnectionString.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/SnapshotTable.h"
#include "core/Transaction.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace ostrapel;

TEST(ConnectionStringTest, ParsesKeysWithoutRegardToCase) {
    const auto cs =
        ConnectionString::parse(QStringLiteral("provider=SQLite; Data Source=\"/tmp/a;b.db\";Extra=1"));
    EXPECT_EQ(cs.provider(), QStringLiteral("SQLite"));
    EXPECT_EQ(cs.dataSource(), QStringLiteral("/tmp/a;b.db"));
    EXPECT_EQ(cs.value(QStringLiteral("EXTRA")), QStringLiteral("1"));
    EXPECT_EQ(ConnectionString::parse(cs.toString()).dataSource(), QStringLiteral("/tmp/a;b.db"));
    EXPECT_EQ(ConnectionString::forSqliteFile(QStringLiteral("/p/db/borderel.db")).toString(),
              QStringLiteral("Provider=SQLite;Data Source=/p/db/borderel.db"));
}

TEST(ConnectionTest, RefusesUnknownProviderAndMissingFileWithoutCreatingIt) {
    test::TestProgramDir dir;
    Connection c;
    try {
        c.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + dir.databasePath());
        FAIL() << "opened";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Microsoft.Jet.OLEDB.4.0")));
    }
    const QString missing = dir.filePath(QStringLiteral("db/missing.db"));
    try {
        c.open(ConnectionString::forSqliteFile(missing).toString());
        FAIL() << "opened";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(missing));
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_FALSE(c.isOpen());
    c.open(dir.connectionString());
    EXPECT_TRUE(c.isOpen());
}

TEST(ConnectionTest, ListsUserTablesOnly) {
    test::TestProgramDir dir;
    auto c = dir.connect();
    EXPECT_TRUE(c->hasTable(QStringLiteral("versiectrl")));
    EXPECT_FALSE(c->hasTable(QStringLiteral("sqlite_sequence")));
    EXPECT_EQ(c->tableNames().size(), 9);
}

TEST(ConnectionTest, ATableWhoseColumnsCannotBeReadFailsTheOpening) {
    OSTRAPEL_SQLITE_ONLY("a damaged schema of the file");
    test::TestProgramDir dir;
    {
        // a virtual table of a module this build does not have
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(dir.databasePath());
        ASSERT_TRUE(raw.open());
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec(QStringLiteral("pragma writable_schema = on")));
        ASSERT_TRUE(q.exec(QStringLiteral("insert into sqlite_master values ('table', 'vt', 'vt', 0, "
                                          "'CREATE VIRTUAL TABLE vt USING geen_module(x)')")));
        q.finish();
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    Connection c;
    try {
        c.open(dir.connectionString());
        ADD_FAILURE() << "opened";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(
            e.message().startsWith(QStringLiteral("De tabellen van de database konden niet worden gelezen")))
            << e.message().toStdString();
    }
    EXPECT_FALSE(c.isOpen());
}

// A second statement in one text runs nowhere: not through a statement with
// parameters, one without, nor the snapshot a list is kept in.
TEST(ConnectionTest, EveryTextReachesTheEngineAsOneStatement) {
    test::TestProgramDir dir;
    auto db = dir.connect();
    const QString insert =
        QStringLiteral("insert into Filters (FilterNaam, GemaaktDoor) values ('INJECTED', 'x')");
    const QString texts[] = {
        QStringLiteral("select count(*) from bord00; ") + insert,
        QStringLiteral("select count(*) from bord00 where ID01 = :nr; ") + insert,
        QStringLiteral("select 1 as a; ") + insert + QStringLiteral("; select 1 as a"),
    };
    const QVariantMap values[] = {{}, {{QStringLiteral("nr"), 12}}, {}};
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(db->execute(texts[i], values[i]), DatabaseError) << texts[i].toStdString();
    EXPECT_THROW({ SnapshotTable snapshot(*db, texts[2]); }, DatabaseError);
    EXPECT_EQ(
        db->scalar(QStringLiteral("select count(*) from Filters where FilterNaam = 'INJECTED'")).toInt(), 0);
    // one statement still runs, with or without values
    EXPECT_EQ(db->execute(insert), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from Filters where FilterNaam = :n"),
                         {{QStringLiteral("n"), QStringLiteral("INJECTED")}})
                  .toInt(),
              1);
}

// The user reads the engine's reason in one line; the statement stays out of the message.
TEST(ConnectionTest, AFailedStatementShowsTheReasonWithoutTheStatement) {
    test::TestProgramDir dir;
    auto db = dir.connect();
    const QString statements[] = {
        QStringLiteral("select [1002] from bord10 where nosuch = :x"),
        QStringLiteral("select [1002] from bord10 where nosuch = 1"),
        QStringLiteral("insert into bord10 (ID01, ID02, nosuch) values (1, 2, 3)"),
    };
    for (const QString& sql : statements) {
        try {
            db->execute(sql, sql.contains(u':') ? QVariantMap{{QStringLiteral("x"), 1}} : QVariantMap{});
            ADD_FAILURE() << "no error";
        } catch (const DatabaseError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Databasefout: ")))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("nosuch"), Qt::CaseInsensitive));
            EXPECT_FALSE(e.message().contains(u'\n')) << e.message().toStdString();
            for (const char* part : {"select [1002]", "where nosuch", "values (1, 2, 3)"})
                EXPECT_FALSE(e.message().contains(QString::fromLatin1(part), Qt::CaseInsensitive))
                    << e.message().toStdString();
        }
    }
}

TEST(ConnectionTest, PreparedStatementIsReusedWithNewValues) {
    test::TestProgramDir dir;
    auto c = dir.connect();
    const QString insert =
        QStringLiteral("insert into Filters (FilterNaam, GemaaktDoor) values (:Naam, :Door)");
    SqlStatement& s = c->prepare(insert);
    EXPECT_EQ(&s, &c->prepare(insert));
    s.bind(QStringLiteral("door"), QStringLiteral("piet"));
    for (const char* name : {"a", "b", "c"}) {
        s.bind(QStringLiteral("Naam"), QString::fromLatin1(name));
        s.exec();
    }
    EXPECT_EQ(c->scalar(QStringLiteral("select count(*) from Filters where GemaaktDoor = 'piet'")).toInt(),
              3);
    EXPECT_THROW(s.bind(QStringLiteral("Onbekend"), 1), DatabaseError);
    EXPECT_THROW(c->execute(QStringLiteral("select * from GeenTabel")), DatabaseError);
}

TEST(ConnectionTest, TransactionRollsBackUnlessCommitted) {
    test::TestProgramDir dir;
    auto c = dir.connect();
    const QString insert = QStringLiteral("insert into Filters (FilterNaam) values (:n)");
    {
        Transaction t(*c);
        c->execute(insert, {{QStringLiteral("n"), QStringLiteral("weg")}});
    }
    {
        Transaction t(*c);
        c->execute(insert, {{QStringLiteral("n"), QStringLiteral("blijft")}});
        c->query(QStringLiteral("select * from Filters")); // an open cursor must not block the commit
        t.commit();
    }
    EXPECT_EQ(c->scalar(QStringLiteral("select count(*) from Filters")).toInt(), 1);
    EXPECT_EQ(c->scalar(QStringLiteral("select FilterNaam from Filters")).toString(),
              QStringLiteral("blijft"));
}

TEST(ConnectionTest, AWriterWaitsOutAnotherCopysLock) {
    OSTRAPEL_SQLITE_ONLY("the file's write lock");
    test::TestProgramDir dir;
    auto waiting = dir.connect(QStringLiteral("waiting"));
    std::promise<void> locked;
    std::thread holder([&] {
        try {
            Connection other(QStringLiteral("holder"));
            other.open(dir.connectionString());
            Transaction t(other);
            other.execute(QStringLiteral("insert into Filters (FilterNaam) values ('eerst')"));
            locked.set_value();
            // longer than the SQLite driver's own default wait of five seconds
            std::this_thread::sleep_for(std::chrono::milliseconds(5500));
            t.commit();
        } catch (...) {
            locked.set_exception(std::current_exception());
        }
    });
    locked.get_future().get();
    QElapsedTimer waited;
    waited.start();
    EXPECT_NO_THROW(waiting->execute(QStringLiteral("insert into Filters (FilterNaam) values ('daarna')")));
    EXPECT_GE(waited.elapsed(), 5000);
    holder.join();
    EXPECT_EQ(waiting->scalar(QStringLiteral("select count(*) from Filters")).toInt(), 2);
}

// Two writers that both read first: a deferred transaction could not upgrade
// to a writer beside the other and failed at once with "database is locked";
// begun immediate, the second waits for the first.
TEST(ConnectionTest, TwoTransactionsThatReadThenWriteBothCommit) {
    test::TestProgramDir dir;
    auto a = dir.connect(QStringLiteral("a"));
    a->beginTransaction();
    a->scalar(QStringLiteral("select count(*) from Filters"));
    std::string otherError;
    std::thread other([&] {
        try {
            auto b = dir.connect(QStringLiteral("b"));
            Transaction t(*b);
            b->scalar(QStringLiteral("select count(*) from Filters"));
            b->execute(QStringLiteral("insert into Filters (FilterNaam) values ('b')"));
            t.commit();
        } catch (const DatabaseError& e) {
            otherError = e.message().toStdString();
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the other is under way
    EXPECT_NO_THROW(a->execute(QStringLiteral("insert into Filters (FilterNaam) values ('a')")));
    a->commit();
    other.join();
    EXPECT_EQ(otherError, "");
    EXPECT_EQ(a->scalar(QStringLiteral("select count(*) from Filters")).toInt(), 2);
}
