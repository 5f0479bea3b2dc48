// Writing statements into the database: refusal of a statement imported
// before, the clean-up of superseded persons, and all-or-nothing files.
#include "import/ImportRun.h"
#include "ImportFixture.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/Transaction.h"
#include "import/CheckPass.h"

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
                s.Import = errorFlags(s) == 0 ? u'J' : u'N';
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

TEST_F(ImportRunTest, CleanUpOnlyForTheLastFilesCollectivityAndOnlyAfterAControlRecord) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false));
    write(QStringLiteral("000012001-02.dat"), statement(12, QStringLiteral("2005-02"), {"A"}, false));
    write(QStringLiteral("000013001-02.dat"), statement(13, QStringLiteral("2005-02"), {"Z"}, false));
    run({QStringLiteral("000012001-01.dat"), QStringLiteral("000012001-02.dat"),
         QStringLiteral("000013001-02.dat")});
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID01 = 12")), 2);

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

TEST_F(ImportRunTest, DatabaseErrorHalfWayLeavesNothingOfThatFile) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false));
    write(QStringLiteral("000012001-02.dat"),
          statement(12, QStringLiteral("2005-02"), {"A", "B", "C"}, false));
    db->execute(QStringLiteral("create trigger fail_on_c before insert on bord50 when new.ID07 = 'C' "
                               "begin select raise(abort, 'kapotte regel'); end"));
    std::unique_ptr<ImportRun> r;
    try {
        run({QStringLiteral("000012001-01.dat"), QStringLiteral("000012001-02.dat")});
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("kapotte regel")));
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 1); // the first file stays
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID03 = '2005-02'")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where ID03 = '2005-02'")), 0);
    EXPECT_FALSE(db->inTransaction());
    // importing it again after the fault is mended writes it once
    db->execute(QStringLiteral("drop trigger fail_on_c"));
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
