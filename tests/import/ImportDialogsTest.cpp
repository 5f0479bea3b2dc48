// The import dialogs driven offscreen: the overview's panels and buttons, and a
// whole run through the import dialog.
#include "ImportFixture.h"
#include "Screenshots.h"
#include "import/CheckPass.h"
#include "import/ui/ImportDialog.h"
#include "import/ui/ImportOverviewDialog.h"
#include <QScrollArea>
#include <QScrollBar>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace ostrapel;

namespace {

class ImportDialogs : public test::ImportFixture {};

} // namespace

TEST_F(ImportDialogs, OverviewButtonsAndCloseTest) {
    QStringList bad = statement(13, QStringLiteral("2006-01"), {"A"}, true);
    bad.removeAt(1); // one person fewer than the control record says
    const QString good = write(QStringLiteral("000012001-01S.dat"),
                               statement(12, QStringLiteral("2006-01"), {"A", "B"}, true, 2));
    const QString wrong = write(QStringLiteral("000013001-01S.dat"), bad);
    std::vector<StatementSummary> summaries = {checkStatementFile(catalogue, view, good, 1),
                                               checkStatementFile(catalogue, view, wrong, 1)};
    summaries[0].collectivityName =
        QStringLiteral("Stichting Gezondheidszorg Regio Noord-Holland Zuid en Omstreken");
    ImportOverviewDialog dialog(prompts);
    dialog.fillFromSummaries(summaries);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import overzicht"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialog.findChild<QScrollArea*>()->horizontalScrollBar()->isVisible()); // panels fit
    EXPECT_EQ(dialog.selectAllButton()->text(), QStringLiteral("&Alles selecteren"));
    EXPECT_FALSE(dialog.importBox(0)->isChecked());

    QTest::mouseClick(dialog.selectAllButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.importBox(0)->isChecked());
    EXPECT_FALSE(dialog.importBox(1)->isChecked());
    EXPECT_EQ(dialog.selectAllButton()->text(), QStringLiteral("&Alles deselecteren"));
    test::saveScreenshot(&dialog, QStringLiteral("import-overzicht"));

    QTest::mouseClick(dialog.selectAllButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.importBox(0)->isChecked());
    dialog.accept(); // nothing ticked: stays open after the warning
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompts.texts().last(), OverviewTexts::NothingSelected);

    dialog.importBox(0)->setChecked(true);
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(summaries[0].importFlag, u'J');
}

TEST_F(ImportDialogs, FaultsAndADifferingTotalShowInTheirPanels) {
    QStringList total = statement(12, QStringLiteral("2006-01"), {"A", "B"}, true);
    const RecordField* stated = catalogue.findField(QStringLiteral("9905"));
    total.last().replace(stated->start - 1, stated->length,
                         StatementWriter(catalogue)
                             .composeLine(QStringLiteral("99"), {{QStringLiteral("9905"), 99.99}})
                             .mid(stated->start - 1, stated->length));
    QStringList noControl = statement(13, QStringLiteral("2006-01"), {"A"}, true);
    noControl.removeLast();
    // two blocks, the first with a component line written twice
    QStringList blocks = statement(14, QStringLiteral("2006-01"), {"A", "B", "C"}, true, 2);
    blocks.insert(3, blocks[2]);
    blocks += statement(14, QStringLiteral("2006-02"), {"D"}, true);
    std::vector<StatementSummary> summaries = {
        checkStatementFile(catalogue, view, write(QStringLiteral("000012001-01S.dat"), total), 1),
        checkStatementFile(catalogue, view, write(QStringLiteral("000013001-01S.dat"), noControl), 1),
        checkStatementFile(catalogue, view, write(QStringLiteral("000014001-02S.dat"), blocks), 1)};
    ImportOverviewDialog dialog(prompts);
    dialog.fillFromSummaries(summaries);
    dialog.show();
    EXPECT_TRUE(dialog.importBox(0)->isEnabled()); // a differing total is shown, not refused
    EXPECT_FALSE(dialog.importBox(1)->isEnabled());
    QStringList marked;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        if (l->styleSheet().contains(QStringLiteral("color"))) marked << l->text();
    // the last block's figures, with the collected sums of the whole file (as stated for the
    // last block), and the earlier block that disagrees
    EXPECT_EQ(marked,
              (QStringList{QStringLiteral("20,00"), CheckTexts::NoControlRecord, QStringLiteral("80,00"),
                           QStringLiteral("Blok van regel 1 t/m 12: aantal records")}));
    test::saveScreenshot(&dialog, QStringLiteral("import-overzicht-fouten"));
}

TEST_F(ImportDialogs, WholeRunThroughTheImportDialog) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A", "B"}, false, 2));
    write(QStringLiteral("000012001-02.dat"),
          statement(12, QStringLiteral("2005-02"), {"A", "B", "C"}, false, 2));
    ImportDialog dialog(*db, catalogue, prompts, 1, dir.filePath(QStringLiteral("Import")));
    dialog.setFileList({QStringLiteral("000012001-02.dat"), QStringLiteral("000012001-01.dat")});
    int overviews = 0;
    dialog.overviewHook = [&](std::vector<StatementSummary>& summaries) {
        ++overviews;
        ImportOverviewDialog overview(prompts, &dialog);
        overview.fillFromSummaries(summaries);
        overview.show();
        QTest::mouseClick(overview.selectAllButton(), Qt::LeftButton);
        overview.accept();
        return overview.result() == QDialog::Accepted && overview.goodCount() > 0;
    };
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.importFinished(), 10000);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.stopButton()->isEnabled());
    EXPECT_EQ(overviews, 1);
    ASSERT_EQ(dialog.listBox()->count(), 2);
    EXPECT_TRUE(dialog.listBox()->item(0)->text().startsWith(
        QStringLiteral("Informatie uit file \"000012001-01.dat\" succesvol geimporteerd in ")));
    // the heading says the run has ended
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import gereed"));
    test::saveScreenshot(&dialog, QStringLiteral("importeren"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10")), 3);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ImportDialogs, StoppenEndsTheRunAfterTheFileInProgress) {
    QStringList persons;
    for (int i = 0; i < 40; ++i)
        persons << QStringLiteral("P%1").arg(i);
    const QStringList names = {QStringLiteral("000012001-01.dat"), QStringLiteral("000013001-01.dat")};
    write(names[0], statement(12, QStringLiteral("2005-01"), persons, false, 2));
    write(names[1], statement(13, QStringLiteral("2005-01"), persons, false, 2));
    ImportDialog dialog(*db, catalogue, prompts, 1, dir.filePath(QStringLiteral("Import")));
    dialog.setFileList(names);
    dialog.overviewHook = [](std::vector<StatementSummary>& summaries) {
        for (StatementSummary& s : summaries)
            s.importFlag = u'J';
        return true;
    };
    // the worker waits while the user acts, as the second file begins
    QObject::connect(
        &dialog.worker().relay(), &ImportViewRelay::listEntryAdded, &dialog.worker().relay(),
        [&](const QString& text) {
            if (text != QStringLiteral("Importeer informatie uit file \"000013001-01.dat\"")) return;
            QMetaObject::invokeMethod(
                &dialog,
                [&] {
                    dialog.reject(); // the close box does not end a running import
                    EXPECT_TRUE(dialog.isVisible());
                    QTest::mouseClick(dialog.stopButton(), Qt::LeftButton);
                },
                Qt::BlockingQueuedConnection);
        },
        Qt::DirectConnection);
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.importFinished(), 20000);

    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialog.listBox()->count(), 3);
    EXPECT_EQ(dialog.listBox()->item(1)->text(),
              QStringLiteral("Informatie uit file \"000013001-01.dat\" werd niet geimporteerd"));
    EXPECT_EQ(dialog.listBox()->item(2)->text(),
              QStringLiteral("Import gestopt; ge\u00efmporteerd: 000012001-01.dat"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.stopButton()->isEnabled());
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord99")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where ID01 = 13")), 0);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import gestopt"));
    test::saveScreenshot(&dialog, QStringLiteral("importeren-gestopt"));
}

TEST_F(ImportDialogs, AFailedRunIsNotCalledReady) {
    write(QStringLiteral("000012001-01.dat"), statement(12, QStringLiteral("2005-01"), {"A"}, false, 2));
    addFailingTrigger(QStringLiteral("fail_on_a"), QStringLiteral("insert"), QStringLiteral("bord10"),
                      QStringLiteral("kapotte regel"));
    ImportDialog dialog(*db, catalogue, prompts, 1, dir.filePath(QStringLiteral("Import")));
    dialog.setSingleFile(dir.filePath(QStringLiteral("Import/000012001-01.dat")));
    dialog.overviewHook = [](std::vector<StatementSummary>& summaries) {
        for (StatementSummary& s : summaries)
            s.importFlag = u'J';
        return true;
    };
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.importFinished(), 10000);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import mislukt"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("kapotte regel")));
    dropTrigger(QStringLiteral("fail_on_a"), QStringLiteral("bord10"));
}
