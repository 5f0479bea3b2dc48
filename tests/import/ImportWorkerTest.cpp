// The import on its worker thread: a stop leaves only whole statements, and
// the prompts and the overview of the run are shown on the GUI thread.
#include "import/ImportWorker.h"
#include "ImportFixture.h"

#include <QFile>
#include <QSignalSpy>

using namespace ostrapel;

namespace {

class ImportWorkerTest : public test::ImportFixture {
protected:
    std::unique_ptr<ImportWorker> worker(const QStringList& names) {
        auto w = std::make_unique<ImportWorker>(db->connectionString(), catalogue, prompts, view,
                                                &viewContext, 1, dir.filePath(QStringLiteral("Import")));
        w->run().setFileList(names);
        return w;
    }
    // Ticks every file without errors, noting the thread it is asked on.
    ImportRun::OverviewFn tickAll() {
        return [this](std::vector<StatementSummary>& summaries) {
            overviewOnGuiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
            for (StatementSummary& s : summaries)
                s.importFlag = errorFlags(s) == 0 ? u'J' : u'N';
            return true;
        };
    }
    static bool runToEnd(ImportWorker& w, const ImportRun::OverviewFn& overview) {
        QSignalSpy finished(&w, &ImportWorker::finished);
        w.start(overview);
        return finished.wait(20000);
    }
    int rows(const QString& table, int coll) const {
        return count(QStringLiteral("select count(*) from %1 where ID01 = %2").arg(table).arg(coll));
    }

    QObject viewContext; // the view's thread: this test's
    bool overviewOnGuiThread = false;
};

} // namespace

TEST_F(ImportWorkerTest, StopDuringTheSecondFileLeavesOnlyTheFirstStatement) {
    QStringList persons;
    for (int i = 0; i < 40; ++i)
        persons << QStringLiteral("P%1").arg(i);
    const QStringList names = {QStringLiteral("000012001-01.dat"), QStringLiteral("000013001-01.dat"),
                               QStringLiteral("000014001-01.dat")};
    for (int i = 0; i < 3; ++i)
        write(names[i], statement(12 + i, QStringLiteral("2005-01"), persons, false, 2)); // 122 lines
    auto w = worker(names);
    // on the worker thread, as the second file begins: its first lines go into
    // its transaction before the stop is seen
    QObject::connect(
        &w->relay(), &ImportViewRelay::listEntryAdded, &w->relay(),
        [&](const QString& text) {
            if (text == QStringLiteral("Importeer informatie uit file \"000013001-01.dat\""))
                w->requestStop();
        },
        Qt::DirectConnection);
    ASSERT_TRUE(runToEnd(*w, tickAll()));

    EXPECT_TRUE(w->errorText().isEmpty()) << w->errorText().toStdString();
    EXPECT_TRUE(w->run().stopped());
    EXPECT_EQ(rows(QStringLiteral("bord00"), 12), 1);
    EXPECT_EQ(rows(QStringLiteral("bord10"), 12), 40);
    EXPECT_EQ(rows(QStringLiteral("bord50"), 12), 80);
    EXPECT_EQ(rows(QStringLiteral("bord99"), 12), 1);
    for (int coll : {13, 14})
        for (const QString& table : {QStringLiteral("bord00"), QStringLiteral("bord10"),
                                     QStringLiteral("bord50"), QStringLiteral("bord99")})
            EXPECT_EQ(rows(table, coll), 0) << table.toStdString() << " " << coll;
    ASSERT_EQ(view.list.size(), 3);
    EXPECT_TRUE(view.list[0].startsWith(
        QStringLiteral("Informatie uit file \"000012001-01.dat\" succesvol geimporteerd in ")));
    EXPECT_EQ(view.list[1],
              QStringLiteral("Informatie uit file \"000013001-01.dat\" werd niet geimporteerd"));
    EXPECT_EQ(view.list[2], QStringLiteral("Import gestopt; ge\u00efmporteerd: 000012001-01.dat"));
    EXPECT_TRUE(view.okEnabled);
    const auto& results = w->run().results();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].outcome, ImportRun::Outcome::Stopped);

    // the stopped files import whole later on
    auto again = worker({names[1], names[2]});
    ASSERT_TRUE(runToEnd(*again, tickAll()));
    EXPECT_EQ(rows(QStringLiteral("bord50"), 13), 80);
    EXPECT_EQ(rows(QStringLiteral("bord50"), 14), 80);
}

TEST_F(ImportWorkerTest, PromptsAndOverviewAreShownOnTheGuiThread) {
    // ScriptedPrompts fails the test for any prompt off the GUI thread
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A", "B"}, false));
    ASSERT_TRUE(runToEnd(*worker({QStringLiteral("000012001-01.dat")}), tickAll()));
    write(QStringLiteral("000013001-01.dat"), statement(13, QStringLiteral("2005-01"), {"A"}, false));
    const QString vanished = dir.filePath(QStringLiteral("Import/000013001-01.dat"));
    auto w = worker({QStringLiteral("000012001-01.dat"), QStringLiteral("000013001-01.dat")});
    ASSERT_TRUE(runToEnd(*w, [&](std::vector<StatementSummary>& summaries) {
        QFile::remove(vanished); // gone between the check and the writing
        return tickAll()(summaries);
    }));
    EXPECT_TRUE(overviewOnGuiThread);
    EXPECT_EQ(prompts.texts(),
              (QStringList{QStringLiteral("De collectiviteit: 000012.001 [2005-01] is reeds verwerkt!"),
                           QStringLiteral("File met de naam \"%1\" is niet gevonden!!!").arg(vanished)}));
    EXPECT_EQ(rows(QStringLiteral("bord10"), 12), 2);
}

TEST_F(ImportWorkerTest, ErrorsAreHandedBackAndAnAbandonedRunDoesNotHang) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false));
    addFailingTrigger(QStringLiteral("fail_on_a"), QStringLiteral("insert"), QStringLiteral("bord10"),
                      QStringLiteral("kapotte regel"));
    auto failing = worker({QStringLiteral("000012001-01.dat")});
    ASSERT_TRUE(runToEnd(*failing, tickAll()));
    EXPECT_TRUE(failing->errorText().contains(QStringLiteral("kapotte regel")));
    EXPECT_EQ(rows(QStringLiteral("bord00"), 12), 0);
    dropTrigger(QStringLiteral("fail_on_a"), QStringLiteral("bord10"));

    // the overview is never answered: the GUI thread does not run its events
    // before the worker goes, and going must not wait for the answer
    auto abandoned = worker({QStringLiteral("000012001-01.dat")});
    bool asked = false;
    abandoned->start([&](std::vector<StatementSummary>&) { return asked = true; });
    QThread::msleep(200);
    abandoned.reset();
    EXPECT_FALSE(asked);
    EXPECT_EQ(rows(QStringLiteral("bord00"), 12), 0);
}

TEST_F(ImportWorkerTest, RelayPassesOnTheLatestProgressWithoutFloodingTheView) {
    ImportViewRelay relay;
    relay.connectTo(view, &viewContext);
    for (int line = 1; line <= 2000; ++line)
        relay.setCounterPanel(QStringLiteral("Regel: %1").arg(line));
    relay.setOkEnabled(true); // any other call passes the held-back progress on first
    EXPECT_LT(view.panels.size(), 100);
    ASSERT_FALSE(view.panels.isEmpty());
    EXPECT_EQ(view.panels.last(), QStringLiteral("Regel: 2000"));
    EXPECT_TRUE(view.okEnabled);
}
