// The maintenance dialogs offscreen: the scripts dialog, the clean-up and the text viewer.
#include "CleanupFixture.h"
#include "FailingTrigger.h"
#include "RecordingPrinter.h"
#include "Screenshots.h"
#include "ScriptedPrompts.h"
#include "core/Settings.h"
#include "maintenance/MaintenanceTexts.h"
#include "maintenance/ui/CleanupDialog.h"
#include "maintenance/ui/UpdateScriptsDialog.h"
#include "reports/ui/TextViewerDialog.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrapel;
using namespace ostrapel::MaintenanceTexts;

namespace {

class DialogsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        settings = std::make_unique<Settings>(dir.path());
        connection = dir.connect();
    }
    void script(const QString& name, const QByteArray& text) {
        QFile f(settings->sqlScriptsDir() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    int count(const QString& sql) { return connection->scalar(sql).toInt(); }

    test::TestProgramDir dir;
    test::ScriptedPrompts prompts;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<Connection> connection;
};

} // namespace

TEST_F(DialogsFixture, ScriptsDialogTicksTheLinesThatRan) {
    script(
        QStringLiteral("dbupdate1-01.sql"),
        "create table extra (x integer)\r\ninsert into extra values (1)\r\ninsert into extra values (2)\r\n");
    script(QStringLiteral("dbupdate2-01.sql"),
           "insert into extra values (3)\r\ninsert into nergens values (4)\r\n");
    for (const bool failing : {false, true}) {
        QStringList names{QStringLiteral("dbupdate1-01.sql")};
        if (failing) names = {QStringLiteral("dbupdate2-01.sql")};
        UpdateScriptsDialog dialog(*connection, settings->sqlScriptsDir(), names, prompts);
        EXPECT_EQ(dialog.objectName(), QStringLiteral("dlgScripter"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Updatescripts"));
        EXPECT_EQ(dialog.size(), QSize(503, 342));
        EXPECT_FALSE(dialog.scriptLines()->isEnabled());
        dialog.show();
        EXPECT_TRUE(dialog.closeButton()->isHidden());
        dialog.runScripts();
        EXPECT_FALSE(dialog.closeButton()->isHidden());
        QList<Qt::CheckState> states;
        for (int i = 0; i < dialog.scriptLines()->count(); ++i)
            states << dialog.scriptLines()->item(i)->checkState();
        if (!failing) {
            EXPECT_EQ(states, QList<Qt::CheckState>(3, Qt::Checked));
            EXPECT_TRUE(dialog.succeeded());
            test::saveScreenshot(&dialog, QStringLiteral("updatescripts"));
        } else {
            EXPECT_EQ(states, (QList<Qt::CheckState>{Qt::Checked, Qt::Unchecked}));
            EXPECT_FALSE(dialog.succeeded());
            EXPECT_TRUE(prompts.texts().last().contains(QStringLiteral("Regel: 2")));
            test::saveScreenshot(&dialog, QStringLiteral("updatescripts-fout"));
        }
        dialog.closeButton()->click();
        EXPECT_EQ(dialog.result(), failing ? QDialog::Rejected : QDialog::Accepted);
    }
}

TEST_F(DialogsFixture, CleanupDialogEnablesOkAndDeletesTheChosenMonth) {
    test::fillCleanupStatements(*connection);
    CleanupDialog dialog(*connection, prompts);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("dlgOpschonen"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opschonen"));
    auto* warning = dialog.findChild<QLabel*>(QStringLiteral("lblWaarschuwing"));
    ASSERT_TRUE(warning);
    EXPECT_TRUE(warning->text().startsWith(QStringLiteral("WAARSCHUWING\n")));
    EXPECT_TRUE(warning->styleSheet().contains(QStringLiteral("#800000")));
    EXPECT_EQ(dialog.collectivities()->currentText(), QStringLiteral("<ALLE>"));
    EXPECT_EQ(dialog.collectivities()->count(), 4);
    EXPECT_TRUE(dialog.periodChoice(CleanupSelection::Period::Month)->isChecked());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.monthList(2)->isEnabled());
    dialog.show();
    test::saveScreenshot(&dialog, QStringLiteral("opschonen"));

    dialog.periodChoice(CleanupSelection::Period::Range)->setChecked(true);
    EXPECT_TRUE(dialog.monthList(2)->isEnabled());
    EXPECT_FALSE(dialog.monthList(1)->isEnabled());
    dialog.monthList(2)->setCurrentText(QStringLiteral("2004-06"));
    dialog.monthList(3)->setCurrentText(QStringLiteral("2004-05"));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.monthList(2)->setCurrentText(QStringLiteral("2004-03"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    // A failing delete is shown and the dialog stays open with nothing deleted.
    test::addFailingTrigger(*connection, QStringLiteral("refuse"), QStringLiteral("delete"),
                            QStringLiteral("bord50"), QStringLiteral("vergrendeld"));
    dialog.collectivities()->setCurrentIndex(3);
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00 where id01 = 2")), 1);

    test::dropTrigger(*connection, QStringLiteral("refuse"), QStringLiteral("bord50"));
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00 where id01 = 2")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00 where id01 = 1")), 5);
}

// The information file's viewer prints through the program's printer: here the recording one.
TEST_F(DialogsFixture, ViewerShowsPrintsAndSavesTheFile) {
    const QString path = settings->infoDir() + QStringLiteral("info.info");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("regel \xe9\xe9n\r\nregel twee\r\n");
    file.close();
    test::RecordingPrinter printer;
    TextViewerDialog viewer(prompts, printer);
    viewer.loadFile(path);
    EXPECT_EQ(viewer.objectName(), QStringLiteral("dlgSysInfo"));
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Systeem informatie"));
    EXPECT_EQ(viewer.reSysInfo->toPlainText(), QStringLiteral("regel \u00e9\u00e9n\nregel twee"));
    EXPECT_TRUE(viewer.reSysInfo->isReadOnly());
    viewer.show();
    test::saveScreenshot(&viewer, QStringLiteral("systeeminformatie"));

    QTemporaryDir out;
    prompts.saveNames = {out.filePath(QStringLiteral("kopie"))};
    viewer.saveAs();
    QFile copy(out.filePath(QStringLiteral("kopie.txt")));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("regel \xe9\xe9n\r\nregel twee\r\n"));

    viewer.print();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].name, QStringLiteral("Systeem informatie"));
    EXPECT_EQ(printer.jobs[0].lines, QStringList({QStringLiteral("regel \u00e9\u00e9n"), "regel twee"}));
    EXPECT_FALSE(printer.jobs[0].preview);
    EXPECT_TRUE(prompts.messages.empty());
}
