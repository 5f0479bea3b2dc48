// Start-up as a whole: the error handler with its run log, and one running
// copy per program folder (real processes).
#include "shell/Startup.h"
#include "MemoryPasswordStore.h"
#include "RecordingPrinter.h"
#include "ScriptedDesktop.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/IniFile.h"
#include "core/RunLog.h"
#include "core/Settings.h"
#include "shell/MainWindow.h"
#include "shell/ShellServices.h"
#include "shell/SingleInstanceGuard.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <signal.h>

using namespace ostrapel;

namespace {

class StartupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmp.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("TMPDIR", oldTmp); }
    test::TestProgramDir dir;
    QTemporaryDir tmp;
    QByteArray oldTmp;
    test::ScriptedPrompts prompts;
    test::MemoryPasswordStore passwords;
    test::RecordingPrinter printer;
    test::ScriptedDesktop desktop;
    test::ScriptedDialogs dialogs;
    test::ScriptedHost host;
    const ShellServices services{prompts, printer, desktop, dialogs, host};
};

} // namespace

TEST_F(StartupFixture, ShowsTheMainWindowAndEndsTheSplash) {
    bool ready = false, splashDone = false, looped = false;
    StartupHooks hooks;
    hooks.mainWindowReady = [&](MainWindow&) { ready = true; };
    hooks.splashDone = [&] { splashDone = true; };
    hooks.runLoop = [&](MainWindow& main) {
        looped = main.isVisible() && splashDone;
        prompts.answers.push_back(MsgButton::Yes);
        main.close();
        return 0;
    };
    EXPECT_EQ(runProgram(dir.path(), passwords, services, hooks), 0);
    EXPECT_TRUE(ready);
    EXPECT_TRUE(looped);
}

TEST_F(StartupFixture, AnErrorThatEscapesIsLoggedShownAndEndsTheProgram) {
    {
        auto db = dir.connect(QStringLiteral("break"));
        db->execute(QStringLiteral("drop table RecStruct"));
    }
    bool looped = false;
    StartupHooks hooks;
    hooks.runLoop = [&](MainWindow&) {
        looped = true;
        return 0;
    };
    EXPECT_EQ(runProgram(dir.path(), passwords, services, hooks), 1);
    EXPECT_FALSE(looped);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].type, MsgType::Error);
    EXPECT_TRUE(prompts.messages[0].text.contains(QStringLiteral("RecStruct"), Qt::CaseInsensitive));
    QFile log(privateTempFolder() + QStringLiteral("log/log") +
              QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(prompts.messages[0].text.left(20)));
}

TEST(SingleInstance, OneCopyPerProgramFolderSurvivingACrash) {
    test::TestProgramDir a, b;
    for (test::TestProgramDir* d : {&a, &b}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(OSTRAPEL_APP), d->filePath(QStringLiteral("ostrapel"))));
        QFile::setPermissions(d->filePath(QStringLiteral("ostrapel")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    auto start = [&](test::TestProgramDir& d) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->start(d.filePath(QStringLiteral("ostrapel")), {});
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    };
    auto first = start(a);
    // registered once the data module writes the connection string to the computer settings
    const QString computerFile =
        a.filePath(QStringLiteral("Settings/CMP_") + SettingsStore::computerName() + QStringLiteral(".ini"));
    auto registered = [&] {
        return IniFile(computerFile).hasKey(QStringLiteral("Main"), QStringLiteral("ADOConnectionString"));
    };
    for (int i = 0; i < 300 && !registered(); ++i)
        QTest::qWait(100);
    ASSERT_TRUE(registered());
    ASSERT_EQ(first->state(), QProcess::Running) << first->readAllStandardError().toStdString();

    auto second = start(a);
    EXPECT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
    // A copy that hands over hears back from the running one (this test plays that copy).
    const QString path = QFileInfo(a.filePath(QStringLiteral("ostrapel"))).canonicalFilePath();
    bool handedOver = false;
    for (int i = 0; i < 10 && !handedOver; ++i) {
        SingleInstanceGuard guard(path);
        EXPECT_FALSE(guard.checkSingleInstance(1));
        handedOver = guard.handedOver();
    }
    EXPECT_TRUE(handedOver);

    auto elsewhere = start(b); // installed in another folder: runs too
    EXPECT_FALSE(elsewhere->waitForFinished(3000));
    elsewhere->kill();
    elsewhere->waitForFinished();

    ::kill(pid_t(first->processId()), SIGKILL); // a crash leaves its registration behind
    first->waitForFinished();
    auto third = start(a);
    EXPECT_FALSE(third->waitForFinished(3000));
    third->kill();
    third->waitForFinished();
}
