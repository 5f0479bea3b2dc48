// Writing statements into the database: refusal of a statement imported
// before, the clean-up of superseded persons, and all-or-nothing files.
#include "import/ImportRun.h"
#include "ImportFixture.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/Transaction.h"
#include "import/CheckPass.h"
#include "import/ImportStopped.h"

#include <QThread>
#include <thread>

using namespace ostrapel;

namespace {

class ImportRunTest : public test::ImportFixture {
protected:
    // Runs the import of the given files, ticking every file without errors.
    std::unique_ptr<ImportRun> run(const QStringList& names) {
        auto r = std::make_unique<ImportRun>(*db, catalogue, prompts, view, 1,
                                             dir.filePath(QStringLiteral("Import")));
        if (names.size() == 1)
            r->setSingleFile(dir.filePath(QStringLiteral("Import/") + names[0]));
        else
            r->setFileList(names);
        r->execute([](std::vector<StatementSummary>& summaries) {
            for (StatementSummary& s : summaries)
                s.importFlag = errorFlags(s) == 0 ? u'J' : u'N';
            return true;
        });
        return r;
    }
};

} // namespace

TEST_F(ImportRunTest, WritesEveryRecordTypeAndForcesStandardInsurance) {
    write(QStringLiteral("000012001-01S.dat"), statement(12, QStringLiteral("2006-01"), {"A", "B"}, true, 3));
    auto r = run({QStringLiteral("000012001-01S.dat")});
    ASSERT_EQ(r->results().size(), 1u);
    EXPECT_EQ(r->results()[0].outcome, ImportRun::Outcome::Imported);
    EXPECT_TRUE(view.list.last().startsWith(
        QStringLiteral("Informatie uit file \"000012001-01S.dat\" succesvol geimporteerd in ")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where [1024] = ' '")), 2); // the line says Z
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where [5002] = '1'")), 6);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord99")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where [1001] is null")),
              2); // first field never filled
    EXPECT_EQ(db->scalar(QStringLiteral("select [9902] from bord99")).toString(),
              QStringLiteral("2006-01-01"));
    EXPECT_EQ(db->scalar(QStringLiteral("select ID01 from bord10 limit 1")).toInt(), 12);
    EXPECT_TRUE(view.okEnabled);
}

TEST_F(ImportRunTest, ShortLinesStoreEmptyTextSoTheBlankInsuranceUpdateFindsThem) {
    QStringList lines = statement(12, QStringLiteral("2006-01"), {"A", "B"}, false);
    const RecordField* insurance = catalogue.findField(QStringLiteral("1024"));
    lines[1] = lines[1].left(insurance->start - 1); // person A ends before field 1024
    write(QStringLiteral("000012001-01.dat"), lines);
    run({QStringLiteral("000012001-01.dat")});
    EXPECT_EQ(db->scalar(QStringLiteral("select [1024] from bord10 where ID07 = 'A'")).toString(),
              QStringLiteral(" "));
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where [1024] is null")), 0);
    // every text field past the cut is empty text; numbers are 0
    for (const auto& e : *catalogue.kindList(QStringLiteral("10"))) {
        if (e->start < insurance->start || (e->type != u'A' && e->type != u'N')) continue;
        const QVariant v =
            db->scalar(QStringLiteral("select [%1] from bord10 where ID07 = 'A'").arg(e->name));
        EXPECT_FALSE(v.isNull()) << e->name.toStdString();
        if (e->type == u'N') {
            EXPECT_EQ(v.toInt(), 0) << e->name.toStdString();
        }
    }
}

TEST_F(ImportRunTest, ReDeliveredStatementIsRefusedAndWritesNothing) {
    write(QStringLiteral("000012001-01S.dat"), statement(12, QStringLiteral("2006-01"), {"A"}, true));
    run({QStringLiteral("000012001-01S.dat")});
    // the same period and kind once more, with other persons
    write(QStringLiteral("000012001-01S.dat"), statement(12, QStringLiteral("2006-01"), {"X", "Y"}, true));
    auto r = run({QStringLiteral("000012001-01S.dat")});
    EXPECT_EQ(r->results()[0].outcome, ImportRun::Outcome::AlreadyImported);
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("De collectiviteit: 000012.001 [2006-01] is reeds verwerkt!")});
    EXPECT_EQ(view.list.last(),
              QStringLiteral("Informatie uit file \"000012001-01S.dat\" werd niet geimporteerd"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord99")), 1);

    // an earlier-kind statement of the same month stands beside it
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2006-01"), {"A"}, false));
    r = run({QStringLiteral("000012001-01.dat")});
    EXPECT_EQ(r->results()[0].outcome, ImportRun::Outcome::Imported);
}

// Another workstation imports into the collectivity (the same key, written otherwise):
// the import waits for it without writing, and a stop ends the wait.
TEST_F(ImportRunTest, WaitsForAnotherImportIntoTheCollectivityAndCanBeStopped) {
    if (!test::usingPostgreSql()) GTEST_SKIP() << "SQLite lets one writer in at BEGIN";
    const QStringList lines = statement(12, QStringLiteral("2006-01"), {"A"}, true);
    const QString path = write(QStringLiteral("000012001-01S.dat"), lines);
    auto other = dir.connect(QStringLiteral("other"));
    {
        Transaction held(*other);
        SilentImportView otherView;
        ImportRun(*other, catalogue, prompts, otherView, 1, {}).lockCollectivity(lines[0]);

        ImportRun r(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
        std::thread stopper([&] {
            QThread::msleep(500);
            r.requestStop();
        });
        bool post = false;
        EXPECT_THROW(r.importStatementFile(path, int(lines.size()), post, true), ImportStopped);
        stopper.join();
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 0);
        EXPECT_FALSE(db->inTransaction());
    }
    // once the other is done the same file goes in
    auto r = run({QStringLiteral("000012001-01S.dat")});
    EXPECT_EQ(r->results()[0].outcome, ImportRun::Outcome::Imported);
}

TEST_F(ImportRunTest, RefusalIsShownOutsideTheFilesTransaction) {
    // the box waits for the user; meanwhile no lock of this import may hold up other writers
    struct WatchingPrompts : test::ScriptedPrompts {
        Connection* db = nullptr;
        std::vector<bool> inTransaction;
        MsgButton message(MsgType type, const QString& text, MsgButtons buttons) override {
            inTransaction.push_back(db->inTransaction());
            return ScriptedPrompts::message(type, text, buttons);
        }
    } watching;
    watching.db = db.get();
    write(QStringLiteral("000012001-01S.dat"), statement(12, QStringLiteral("2006-01"), {"A"}, true));
    for (int i = 0; i < 2; ++i) {
        ImportRun r(*db, catalogue, watching, view, 1, dir.filePath(QStringLiteral("Import")));
        bool post = false;
        r.importStatementFile(dir.filePath(QStringLiteral("Import/000012001-01S.dat")), 5, post, true);
    }
    ASSERT_EQ(watching.texts(),
              QStringList{QStringLiteral("De collectiviteit: 000012.001 [2006-01] is reeds verwerkt!")});
    EXPECT_EQ(watching.inTransaction, std::vector<bool>{false});
}

TEST_F(ImportRunTest, BrokenFilesWriteNothingEvenWhenTicked) {
    const QStringList good = statement(12, QStringLiteral("2006-01"), {"A"}, true);
    write(QStringLiteral("000012001-01S.dat"), good.mid(0, good.size() - 1));    // no control record
    write(QStringLiteral("000013001-01S.dat"), QStringList{good.last()} + good); // control record first
    auto r =
        std::make_unique<ImportRun>(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
    r->setFileList({QStringLiteral("000012001-01S.dat"), QStringLiteral("000013001-01S.dat")});
    r->execute([](std::vector<StatementSummary>& summaries) {
        for (StatementSummary& s : summaries)
            s.importFlag = u'J'; // as if ticked past the overview's rules
        return true;
    });
    EXPECT_TRUE(r->results().empty());
    for (const char* table : {"bord00", "bord10", "bord50", "bord99"})
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))), 0) << table;
}

TEST_F(ImportRunTest, CleanUpFailingTakesTheLastFileWithIt) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A", "B"}, false));
    run({QStringLiteral("000012001-01.dat")});
    write(QStringLiteral("000012001-02.dat"), statement(12, QStringLiteral("2005-02"), {"A", "B"}, false));
    // a stop half-way through the clean-up, after the file's rows were written
    addFailingTrigger(QStringLiteral("stop_clean_up"), QStringLiteral("delete"), QStringLiteral("bord10"),
                      QStringLiteral("gestopt"));
    EXPECT_THROW(run({QStringLiteral("000012001-02.dat")}), DatabaseError);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00 where ID03 = '2005-02'")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10")), 2);
    // so the next import does both
    dropTrigger(QStringLiteral("stop_clean_up"), QStringLiteral("bord10"));
    auto r = run({QStringLiteral("000012001-02.dat")});
    EXPECT_EQ(r->results()[0].outcome, ImportRun::Outcome::Imported);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID03 = '2005-02'")), 2);
}

TEST_F(ImportRunTest, CleanUpKeepsTheNewestPeriodPerPersonAndGroup) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A", "B"}, false));
    write(QStringLiteral("000012001-02.dat"), statement(12, QStringLiteral("2005-02"), {"A", "B"}, false));
    write(QStringLiteral("000012001-03S.dat"), statement(12, QStringLiteral("2006-03"), {"A"}, true));
    run({QStringLiteral("000012001-02.dat"), QStringLiteral("000012001-01.dat"),
         QStringLiteral("000012001-03S.dat")});
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID07 = 'B'")), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("select ID03 from bord10 where ID07 = 'B'")).toString(),
              QStringLiteral("2005-02"));
    // A keeps one row of each insurance group
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID07 = 'A'")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord50")), 5);
    EXPECT_EQ(view.panels.last(), QStringLiteral("Verwerken gegevens: 3/3"));
}

// Every collectivity of a run, not only the last file's: superseded persons
// left behind would make the reports count their components once per period.
TEST_F(ImportRunTest, CleanUpForEveryCollectivityOfTheRunAndOnlyAfterAControlRecord) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false));
    write(QStringLiteral("000012001-02.dat"), statement(12, QStringLiteral("2005-02"), {"A"}, false));
    write(QStringLiteral("000013001-01.dat"), statement(13, QStringLiteral("2005-01"), {"Z"}, false));
    write(QStringLiteral("000013001-02.dat"), statement(13, QStringLiteral("2005-02"), {"Z"}, false));
    run({QStringLiteral("000012001-01.dat"), QStringLiteral("000013001-01.dat"),
         QStringLiteral("000012001-02.dat"), QStringLiteral("000013001-02.dat")});
    for (const int coll : {12, 13}) {
        const QString where = QStringLiteral(" from bord10 where ID01 = %1").arg(coll);
        EXPECT_EQ(count(QStringLiteral("select count(*)") + where), 1) << coll;
        EXPECT_EQ(db->scalar(QStringLiteral("select ID03") + where).toString(), QStringLiteral("2005-02"));
    }

    QStringList noControl = statement(14, QStringLiteral("2005-02"), {"Q"}, false);
    noControl.removeLast();
    write(QStringLiteral("000014001-01.dat"),
          statement(14, QStringLiteral("2005-01"), {"Q"}, false).mid(0, 3));
    write(QStringLiteral("000014001-02.dat"), noControl);
    ImportRun r(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
    bool post = false;
    r.importStatementFile(dir.filePath(QStringLiteral("Import/000014001-01.dat")), 3, post, false);
    r.importStatementFile(dir.filePath(QStringLiteral("Import/000014001-02.dat")), 3, post, true);
    EXPECT_FALSE(post);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID01 = 14")), 2);
}

// The other collectivities are cleaned up after the last file is in: a fault
// there leaves every file imported and said to be.
TEST_F(ImportRunTest, AFailingCleanUpOfAnEarlierCollectivityKeepsTheFilesImported) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false));
    write(QStringLiteral("000012001-02.dat"), statement(12, QStringLiteral("2005-02"), {"A"}, false));
    write(QStringLiteral("000013001-02.dat"), statement(13, QStringLiteral("2005-02"), {"Z"}, false));
    // the last file's collectivity has nothing superseded: only 12's clean-up deletes
    addFailingTrigger(QStringLiteral("stop_clean_up"), QStringLiteral("delete"), QStringLiteral("bord10"),
                      QStringLiteral("gestopt"));
    std::unique_ptr<ImportRun> r;
    ASSERT_NO_THROW(r = run({QStringLiteral("000012001-01.dat"), QStringLiteral("000012001-02.dat"),
                             QStringLiteral("000013001-02.dat")}));
    ASSERT_EQ(r->results().size(), 3u);
    for (const auto& result : r->results())
        EXPECT_EQ(result.outcome, ImportRun::Outcome::Imported);
    EXPECT_TRUE(view.list.last().contains(QStringLiteral("succesvol geimporteerd")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID01 = 12")), 2); // left for next time
    EXPECT_FALSE(db->inTransaction());
    dropTrigger(QStringLiteral("stop_clean_up"), QStringLiteral("bord10"));
}

TEST_F(ImportRunTest, DatabaseErrorHalfWayLeavesNothingOfThatFile) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false));
    write(QStringLiteral("000012001-02.dat"),
          statement(12, QStringLiteral("2005-02"), {"A", "B", "C"}, false));
    addFailingTrigger(QStringLiteral("fail_on_c"), QStringLiteral("insert"), QStringLiteral("bord50"),
                      QStringLiteral("kapotte regel"), QStringLiteral("ID07"), QStringLiteral("C"));
    std::unique_ptr<ImportRun> r;
    try {
        run({QStringLiteral("000012001-01.dat"), QStringLiteral("000012001-02.dat")});
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("kapotte regel")));
    }
    EXPECT_EQ(view.busy, 0); // the failed file takes its hourglass with it
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 1); // the first file stays
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID03 = '2005-02'")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where ID03 = '2005-02'")), 0);
    EXPECT_FALSE(db->inTransaction());
    // importing it again after the fault is mended writes it once
    dropTrigger(QStringLiteral("fail_on_c"), QStringLiteral("bord50"));
    run({QStringLiteral("000012001-02.dat")});
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where ID03 = '2005-02'")), 3);
}

TEST_F(ImportRunTest, ProgressTextsAndMissingFile) {
    QStringList persons;
    for (int i = 0; i < 59; ++i)
        persons << QStringLiteral("P%1").arg(i);
    write(QStringLiteral("000012001-01.dat"),
          statement(12, QStringLiteral("2005-01"), persons, false)); // 120 lines
    run({QStringLiteral("000012001-01.dat")});
    EXPECT_TRUE(view.panels.contains(QStringLiteral("Regels: 120")));
    const auto at50 = std::find_if(view.panels.begin(), view.panels.end(), [](const QString& p) {
        return p.startsWith(QStringLiteral("Regel: 50/120; "));
    });
    ASSERT_NE(at50, view.panels.end());
    EXPECT_TRUE(at50->endsWith(QStringLiteral("r/s")));
    EXPECT_TRUE(view.captions.contains(QStringLiteral("Import van file: 000012001-01.dat")));
    EXPECT_EQ(view.busy, 0);

    ImportRun r(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
    bool post = false;
    const QString missing = dir.filePath(QStringLiteral("Import/000099001-01.dat"));
    EXPECT_EQ(r.importStatementFile(missing, 3, post, true), ImportRun::Outcome::NotFound);
    EXPECT_EQ(prompts.texts().last(),
              QStringLiteral("File met de naam \"%1\" is niet gevonden!!!").arg(missing));
}

TEST_F(ImportRunTest, DeclinedOverviewImportsNothing) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false));
    ImportRun r(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
    r.setFileList({QStringLiteral("000012001-01.dat")});
    r.execute([](std::vector<StatementSummary>&) { return false; });
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 0);
    EXPECT_TRUE(r.done());
}
