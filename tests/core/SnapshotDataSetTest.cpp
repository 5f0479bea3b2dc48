// A data set whose rows the engine keeps must read, sort and locate exactly as
// one that holds its rows in memory.
#include "TestDescriber.h"
#include "TestProgramDir.h"
#include "core/DataSet.h"
#include "core/DataSetModel.h"
#include "core/DatabaseError.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

const QString kUnordered = QStringLiteral("select ID06, ID07, ID08, [5008], [5009], [5008] * 2 as Dubbel "
                                          "from bord50");
const QString kQuery = kUnordered + QStringLiteral(" order by ID07, ID08");

// The temporary tables of the connection's database.
const QString kTempTables = QStringLiteral("select %1 from sqlite_temp_master where type = 'table'");
const QString kServerTempTables =
    QStringLiteral("select %1 from pg_class where relpersistence = 't' and relkind = 'r'");

QString tempTables(const QString& what) {
    return (test::usingPostgreSql() ? kServerTempTables : kTempTables).arg(what);
}

class SnapshotDataSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Texts differing in case (also outside ASCII), empty and missing values,
        // numbers, dates (one unreadable) and many ties, over more than one page.
        const QStringList names = {"alpha", "Alpha", "émile", "Émile", "Zeta", "", "ß", "b", "B"};
        // A server's date column holds only valid days.
        const QStringList dates = test::usingPostgreSql()
                                      ? QStringList{"2006-01-01", "2005-02-03", "2001-07-08",
                                                    "2006-01-01", "1999-12-31", "2006-02-28"}
                                      : QStringList{"2006-01-01",          "2005-02-03", "0000-00-00",
                                                    "2006-01-01 10:00:00", "1999-12-31", "2006-02-30"};
        db->beginTransaction();
        for (int i = 0; i < 300; ++i) {
            const QVariant name = i % 11 == 0 ? QVariant() : QVariant(names[(i * 7) % names.size()]);
            const QVariant amount = i % 13 == 0 ? QVariant() : QVariant(double((i * 37) % 50) - 20.5);
            const QVariant date = i % 17 == 0 ? QVariant() : QVariant(dates[(i * 5) % dates.size()]);
            db->execute(QStringLiteral("insert into bord50 (ID01, ID06, ID07, ID08, [5008], [5009]) "
                                       "values (1, :n, :k, :r, :a, :d)"),
                        {{QStringLiteral("n"), i % 5},
                         {QStringLiteral("k"), name},
                         {QStringLiteral("r"), QString::number(i)},
                         {QStringLiteral("a"), amount},
                         {QStringLiteral("d"), date}});
        }
        db->commit();
        memory = db->query(kQuery, {}, &describer);
        engine.loadSnapshot(*db, kQuery);
    }

    // The rows in their order, each by its unique ID08.
    static QStringList rows(DataSet& ds) {
        QStringList out;
        const int key = ds.fieldIndex(QStringLiteral("ID08"));
        for (int r = ds.recordCount() - 1; r >= 0; --r) // backwards: pages read out of order
            out.prepend(ds.value(r, key).toString());
        return out;
    }

    test::TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
    test::TestDescriber describer;
    DataSet memory{&describer};
    DataSet engine{&describer};
};

} // namespace

TEST_F(SnapshotDataSetTest, ReadsSortsAndLocatesAsRowsInMemory) {
    ASSERT_TRUE(engine.isSnapshot());
    ASSERT_EQ(engine.recordCount(), 300);
    ASSERT_EQ(engine.fieldCount(), memory.fieldCount());
    for (int f = 0; f < memory.fieldCount(); ++f) {
        EXPECT_EQ(engine.field(f).name, memory.field(f).name);
        EXPECT_EQ(engine.field(f).type, memory.field(f).type) << memory.field(f).name.toStdString();
    }
    for (int r : {0, 150, 299})
        for (int f = 0; f < memory.fieldCount(); ++f)
            EXPECT_EQ(engine.value(r, f), memory.value(r, f)) << r << ' ' << f;
    EXPECT_EQ(rows(engine), rows(memory));

    for (const char* order :
         {"ID07", "5008", "5009, ID07", "ID06, 5008, ID07", "Dubbel", "ID06", "Onbekend"}) {
        memory.sort(QString::fromLatin1(order));
        engine.sort(QString::fromLatin1(order));
        EXPECT_EQ(rows(engine), rows(memory)) << order;
        EXPECT_EQ(engine.sortFields(), QString::fromLatin1(order));
    }

    struct Case {
        const char* field;
        QVariant value;
        Qt::CaseSensitivity cs;
    } cases[] = {{"ID07", QStringLiteral("ÉMILE"), Qt::CaseInsensitive},
                 {"ID07", QStringLiteral("émile"), Qt::CaseSensitive},
                 {"ID07", QStringLiteral("b"), Qt::CaseSensitive},
                 {"ID07", QStringLiteral("ss"), Qt::CaseInsensitive},
                 {"ID07", QVariant(), Qt::CaseInsensitive},
                 {"ID07", QStringLiteral("geen"), Qt::CaseInsensitive},
                 {"5009", QStringLiteral("2005-02-03"), Qt::CaseInsensitive},
                 {"5008", 9.5, Qt::CaseInsensitive},
                 {"ID06", 3, Qt::CaseInsensitive}};
    memory.sort(QStringLiteral("5008, ID07"));
    engine.sort(QStringLiteral("5008, ID07"));
    for (const Case& c : cases) {
        memory.last();
        engine.last();
        const bool found = memory.locate(QString::fromLatin1(c.field), c.value, c.cs);
        EXPECT_EQ(engine.locate(QString::fromLatin1(c.field), c.value, c.cs), found) << c.field;
        EXPECT_EQ(engine.recNo(), memory.recNo()) << c.field << ' ' << c.value.toString().toStdString();
    }
}

TEST_F(SnapshotDataSetTest, ModelFollowsTheCurrentRowThroughASort) {
    DataSetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setDataSet(&engine);
    EXPECT_EQ(model.rowCount(), 300);
    const int key = engine.fieldIndex(QStringLiteral("ID08"));
    QPersistentModelIndex kept(model.index(123, key));
    const QString id = kept.data().toString();
    engine.sort(QStringLiteral("5009, 5008"));
    EXPECT_EQ(kept.data().toString(), id);
    EXPECT_EQ(model.index(kept.row(), key).data().toString(), id);
}

TEST_F(SnapshotDataSetTest, EngineTableGoesWithTheRowsAndAFailedQueryKeepsThem) {
    auto tables = [this] { return db->scalar(tempTables(QStringLiteral("count(*)"))).toInt(); };
    EXPECT_EQ(tables(), 1);
    DataSet copy = engine; // shares the rows, sorts on its own
    copy.sort(QStringLiteral("ID08"));
    engine.loadSnapshot(*db, kQuery + QStringLiteral(" desc"));
    EXPECT_EQ(tables(), 2);
    EXPECT_THROW(engine.loadSnapshot(*db, QStringLiteral("select Onbekend from bord50")), DatabaseError);
    EXPECT_EQ(engine.recordCount(), 300);
    copy.clear();
    engine.clear();
    EXPECT_EQ(tables(), 0);
}

// More rows than the pages kept in memory: pages read again after they went.
TEST_F(SnapshotDataSetTest, RowsReadAgainAfterTheirPageWasDropped) {
    db->execute(QStringLiteral("delete from bord50"));
    QSqlQuery fill(db->database());
    ASSERT_TRUE(fill.exec(
        test::usingPostgreSql()
            ? QStringLiteral("insert into bord50 (\"ID06\", \"ID08\") select v, lpad(v::text, 5, '0') "
                             "from generate_series(1, 9000) v")
            : QStringLiteral("with recursive n(v) as (select 1 union all select v + 1 from n where v < 9000) "
                             "insert into bord50 (ID06, ID08) select v, printf('%05d', v) from n")));
    DataSet big;
    big.loadSnapshot(*db, QStringLiteral("select ID06, ID08 from bord50"), QStringLiteral("ID06"));
    big.sort(QStringLiteral("ID08")); // text order of the zero-padded numbers: the same order
    ASSERT_EQ(big.recordCount(), 9000);
    for (int pass = 0; pass < 2; ++pass)
        for (int r = 0; r < 9000; r += 7)
            ASSERT_EQ(big.value(r, 0).toInt(), r + 1) << r;
    big.last();
    EXPECT_EQ(big.value(QStringLiteral("ID08")).toString(), QStringLiteral("09000"));
}

// A page that cannot be read is a failure of whoever reads it (a report never
// writes empty rows); the grid's model paints it empty, says so once and does
// not ask the engine again for every cell until the next reload.
TEST_F(SnapshotDataSetTest, AnUnreadablePageIsReportedOnce) {
    const QString table =
        db->scalar(tempTables(test::usingPostgreSql() ? QStringLiteral("relname") : QStringLiteral("name")))
            .toString();
    QSqlQuery drop(db->database());
    ASSERT_TRUE(drop.exec(QStringLiteral("drop table %1\"%2\"")
                              .arg(test::usingPostgreSql() ? QString() : QStringLiteral("temp."), table)));
    EXPECT_THROW(engine.value(0, 0), DatabaseError);

    DataSetModel model;
    model.setDataSet(&engine);
    QStringList reported;
    QObject::connect(&model, &DataSetModel::readFailed, [&](const QString& text) { reported << text; });
    for (int column = 0; column < model.columnCount(); ++column)
        for (int r = 0; r < 100; ++r)
            EXPECT_FALSE(model.index(r, column).data().isValid());
    QCoreApplication::processEvents();
    ASSERT_EQ(reported.size(), 1);
    EXPECT_FALSE(reported.front().isEmpty());

    engine.loadSnapshot(*db, kQuery); // a reload reads again
    EXPECT_TRUE(model.index(0, 0).data().isValid());
}

// A server that allows no temporary table (a read-only session here, a role
// without the right elsewhere) still lists the rows: read at once.
TEST_F(SnapshotDataSetTest, WithoutATemporaryTableTheRowsAreReadAtOnce) {
    if (!test::usingPostgreSql()) GTEST_SKIP() << "SQLite always has its temporary tables";
    QSqlQuery readOnly(db->database());
    ASSERT_TRUE(readOnly.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")));
    DataSet direct{&describer};
    direct.loadSnapshot(*db, kQuery, QStringLiteral("5008, ID07"));
    EXPECT_FALSE(direct.isSnapshot());
    memory.sort(QStringLiteral("5008, ID07"));
    EXPECT_EQ(rows(direct), rows(memory));
}
