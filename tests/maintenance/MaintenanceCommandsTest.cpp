// The maintenance commands from the main window's menus, and the closing reminder.
#include "shell/MaintenanceCommands.h"
#include "CleanupFixture.h"
#include "MemoryPasswordStore.h"
#include "RecordingPrinter.h"
#include "Screenshots.h"
#include "ScriptedDesktop.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "ScriptedPrompts.h"
#include "core/Settings.h"
#include "core/StatementDatabase.h"
#include "maintenance/DatabaseCompactor.h"
#include "maintenance/MaintenanceTexts.h"
#include "maintenance/ui/CleanupDialog.h"
#include "reports/ui/TextViewerDialog.h"
#include "shell/MainWindow.h"
#include "shell/ShellServices.h"
#include "widgets/ProgressWindow.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>

using namespace ostrapel;
using namespace ostrapel::MaintenanceTexts;

namespace {

class CommandsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        settings = std::make_unique<Settings>(dir.path());
        dm = std::make_unique<StatementDatabase>(*settings, prompts, passwords);
        ASSERT_TRUE(dm->startUp());
    }
    void TearDown() override {
        window.reset();
        dm.reset();
        settings.reset();
    }
    MainWindow& open() {
        window = std::make_unique<MainWindow>(*dm, *settings,
                                              ShellServices{prompts, printer, desktop, dialogs, host});
        return *window;
    }
    void trigger(const char* action) {
        QAction* a = window->action(QString::fromLatin1(action));
        ASSERT_TRUE(a);
        ASSERT_TRUE(a->isEnabled());
        a->trigger();
    }
    QStringList dbFolder() const {
        return QDir(dir.filePath(QStringLiteral("db"))).entryList(QDir::Files, QDir::Name);
    }
    QString marker() const { return settings->settingsFolder() + QStringLiteral("OnceAMonth"); }
    void ageMarker(int days) {
        QFile f(marker());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(
            f.setFileTime(QDateTime::currentDateTime().addDays(-days), QFileDevice::FileModificationTime));
    }

    test::TestProgramDir dir;
    test::ScriptedPrompts prompts;
    test::RecordingPrinter printer;
    test::ScriptedDesktop desktop;
    test::MemoryPasswordStore passwords;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<StatementDatabase> dm;
    std::unique_ptr<MainWindow> window;
    test::ScriptedDialogs dialogs;
    test::ScriptedHost host;
};

} // namespace

TEST_F(CommandsFixture, CleanupFromTheMenuRebuildsTheOpenList) {
    test::fillCleanupStatements(dm->connection());
    MainWindow& w = open();
    EXPECT_TRUE(w.action(QStringLiteral("ActionSchonen"))->isVisible());
    dialogs.answer = [](QDialog& d) {
        auto& cleanup = dynamic_cast<CleanupDialog&>(d);
        cleanup.periodChoice(CleanupSelection::Period::All)->setChecked(true);
        cleanup.okButton()->click();
        return cleanup.result();
    };
    trigger("ActionSchonen");
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("dlgOpschonen")});
    EXPECT_EQ(dm->connection().scalar(QStringLiteral("select count(*) from bord10")).toInt(), 0);
    EXPECT_FALSE(w.action(QStringLiteral("ActionSchonen"))->isVisible()); // nothing left to clean
    EXPECT_EQ(w.statusLabel()->text(),
              QStringLiteral("Opgeschoond: 6 collectiviteitrecords, 11 verzekerdenrecords, "
                             "6 controlerecords en 11 premierecords verwijderd"));
}

TEST_F(CommandsFixture, CompactAndBackupFromTheMenu) {
    OSTRAPEL_SQLITE_ONLY("the file's backups; a server's in ServerMaintenanceTest");
    open();
    prompts.answers = {MsgButton::No};
    trigger("actCompactAndRepair");
    EXPECT_EQ(prompts.texts(), QStringList{AskKeepBackup});
    EXPECT_EQ(dbFolder(), QStringList{QStringLiteral("borderel.db")});
    EXPECT_TRUE(QFileInfo::exists(marker()));

    prompts.messages.clear();
    trigger("actDatabaseBackup");
    EXPECT_EQ(prompts.texts(), QStringList{BackupDone});
    EXPECT_EQ(dbFolder(), (QStringList{QStringLiteral("borderel.bak"), QStringLiteral("borderel.db")}));
    EXPECT_TRUE(dm->connection().isOpen());
    EXPECT_FALSE(host.endCode);
}

TEST_F(CommandsFixture, SystemInformationShowsTheFileWrittenAtStart) {
    MainWindow& w = open();
    const QString info = settings->infoDir() +
                         QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + u'_' +
                         SettingsStore::computerName() + QStringLiteral(".info");
    ASSERT_TRUE(QFileInfo::exists(info));
    QString text;
    dialogs.answer = [&](QDialog& d) {
        text = dynamic_cast<TextViewerDialog&>(d).reSysInfo->toPlainText();
        d.show();
        test::saveScreenshot(&d, QStringLiteral("systeeminformatie-hoofdvenster"));
        return int(QDialog::Rejected);
    };
    trigger("ActionSysInfo");
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("dlgSysInfo")});
    EXPECT_TRUE(text.contains(QStringLiteral("Imports: ")));

    // Without the file the command does nothing and says nothing.
    QFile::remove(info);
    w.action(QStringLiteral("ActionSysInfo"))->trigger();
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(CommandsFixture, ClosingReminderYesCompactsAndRenewsTheMarker) {
    OSTRAPEL_SQLITE_ONLY("the file's backups; a server's in ServerMaintenanceTest");
    open();
    ageMarker(31);
    prompts.answers = {MsgButton::Yes, MsgButton::Yes, MsgButton::Yes}; // close, check now, keep the backup
    window->close();
    const QStringList texts = prompts.texts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[1].contains(QStringLiteral("Het is nu 31 dagen geleden")));
    EXPECT_EQ(texts[2], AskKeepBackup);
    EXPECT_LE(QFileInfo(marker()).lastModified().secsTo(QDateTime::currentDateTime()), 5);
    EXPECT_EQ(dbFolder(), (QStringList{QStringLiteral("borderel.bak"), QStringLiteral("borderel.db")}));
}

TEST_F(CommandsFixture, DecliningTheUpdateScriptsEndsTheStart) {
    QFile script(settings->sqlScriptsDir() + QStringLiteral("dbupdate9-01.sql"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.close();
    prompts.answers = {MsgButton::No};
    EXPECT_TRUE(open().startupRefused());
    EXPECT_EQ(prompts.texts().last(), ProgramEnds);
    EXPECT_TRUE(QFileInfo::exists(script.fileName()));
}

// "File copieren" keeps a busy indicator moving while the engine copies, and
// steps aside for the keep-backup question.
TEST_F(CommandsFixture, TheCopyWindowKeepsMovingAndStepsAsideForTheQuestion) {
    OSTRAPEL_SQLITE_ONLY("the file's copy; a server compacts in place");
    ProgressWindow copyWindow;
    copyWindow.setObjectName(QStringLiteral("dlgCopyFileProgress"));
    copyWindow.begin(CopyProgressCaption);
    const QProgressBar* bar = copyWindow.findChild<QProgressBar*>();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->maximum(), 0); // busy, not a bar standing at 0 %
    // the work waits until this thread has handled a timer: it was not blocked
    std::atomic<bool> ticked = false;
    QTimer::singleShot(20, [&] { ticked = true; });
    copyWindow.whileBusy([&] {
        for (int i = 0; i < 500 && !ticked; ++i)
            QThread::msleep(10);
    });
    EXPECT_TRUE(ticked);
    copyWindow.end();

    struct Watching : test::ScriptedPrompts {
        bool progressVisible = false;
        MsgButton message(MsgType type, const QString& text, MsgButtons buttons) override {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QStringLiteral("dlgCopyFileProgress") && w->isVisible())
                    progressVisible = true;
            return ScriptedPrompts::message(type, text, buttons);
        }
    } watching;
    watching.answers = {MsgButton::No};
    EXPECT_TRUE(DatabaseCompactor(dm->connection(), *settings, watching, copyWindow).compactAndRepair());
    EXPECT_EQ(watching.texts(), QStringList{AskKeepBackup});
    EXPECT_FALSE(watching.progressVisible);
}
