// Update scripts: which files count, what they are renamed to, and the start-up questions.
#include "maintenance/UpdateScripts.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/Settings.h"
#include "maintenance/MaintenanceTexts.h"
#include "maintenance/UpdateScriptRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ostrapel;
using namespace ostrapel::MaintenanceTexts;

namespace {

class UpdateScriptsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        settings = std::make_unique<Settings>(dir.path());
        folder = settings->sqlScriptsDir();
        connection = dir.connect();
    }
    void script(const QString& name, const QByteArray& text) {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QStringList files() const { return QDir(folder).entryList(QDir::Files, QDir::Name); }
    int count(const QString& table) {
        return connection->scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }

    test::TestProgramDir dir;
    test::ScriptedPrompts prompts;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<Connection> connection;
    QString folder;
};

} // namespace

TEST_F(UpdateScriptsFixture, OnlyScriptsOfThisDatabaseVersionAreFound) {
    for (const char* name : {"dbupdate5-01.sql", "dbupdate5-02.sql", "update-01.sql", "dbupdate-01.sql.bak",
                             "dbupdate-01.sql", "dbupdate5-01.bak"})
        script(QString::fromLatin1(name), "");
    QStringList found = UpdateScriptRunner::findScripts(folder);
    found.sort();
    EXPECT_EQ(found, (QStringList{QStringLiteral("dbupdate-01.sql"), QStringLiteral("dbupdate5-01.sql")}));
}

TEST_F(UpdateScriptsFixture, SecondScriptFailingOnItsThirdLineStopsThere) {
    script(QStringLiteral("dbupdate1-01.sql"),
           "create table extra (x integer)\r\ninsert into extra values (1);\r\n");
    // Jet dialect and a blank line on the way to the failing third line.
    script(QStringLiteral("dbupdate2-01.sql"), "delete * from extra where x = 9\r\n\r\ninsert into nowhere "
                                               "values (4)\r\ninsert into extra values (5)\r\n");
    script(QStringLiteral("dbupdate3-01.sql"), "insert into extra values (6)\r\n");

    UpdateScriptRunner runner(*connection, folder);
    QStringList shown;
    QList<int> ticked;
    runner.linesAdded = [&](const QStringList& lines) { shown << lines; };
    runner.lineExecuted = [&](int row) { ticked << row; };
    runner.run({QStringLiteral("dbupdate1-01.sql"), QStringLiteral("dbupdate2-01.sql"),
                QStringLiteral("dbupdate3-01.sql")});

    EXPECT_EQ(shown.size(), 6);
    EXPECT_EQ(ticked, (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(count(QStringLiteral("extra")), 1);
    EXPECT_EQ(files(), (QStringList{QStringLiteral("dbupdate1-01.bak"), QStringLiteral("dbupdate2-01.err"),
                                    QStringLiteral("dbupdate3-01.sql")}));
    EXPECT_EQ(runner.failedScript(), QStringLiteral("dbupdate2-01.sql"));
    EXPECT_EQ(runner.failedLine(), 3);
    EXPECT_FALSE(runner.finish(prompts));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(
        prompts.messages[0].text,
        QStringLiteral("Er is een fout opgetreden in:\r\n\r\nScriptfile: dbupdate2-01.sql\r\nRegel: "
                       "3\r\n\r\nDeze file wordt opgeslagen als:\r\n\r\n   dbupdate2-01.err\r\n\r\nBewaar "
                       "deze informatie voor de helpdesk!!!"));
}

// Scripts run in name order; a script killed part-way leaves nothing, so that
// its next run from the first line does not apply a line twice.
TEST_F(UpdateScriptsFixture, ScriptsRunInNameOrderAndAKilledOneLeavesNothing) {
    for (const char* name : {"dbupdateB-01.sql", "dbupdateC-01.sql", "dbupdateA-01.sql"})
        script(QString::fromLatin1(name), "");
    EXPECT_EQ(UpdateScriptRunner::findScripts(folder),
              (QStringList{QStringLiteral("dbupdateA-01.sql"), QStringLiteral("dbupdateB-01.sql"),
                           QStringLiteral("dbupdateC-01.sql")}));
    for (const char* name : {"dbupdateB-01.sql", "dbupdateC-01.sql", "dbupdateA-01.sql"})
        QFile::remove(folder + QString::fromLatin1(name));

    connection->execute(QStringLiteral("create table extra (x integer)"));
    script(
        QStringLiteral("dbupdate1-01.sql"),
        "insert into extra values (1)\r\ninsert into extra values (2)\r\ninsert into extra values (3)\r\n");
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // the killed program: gone after its second line, without a word
        auto own = dir.connect(QStringLiteral("killed"));
        UpdateScriptRunner runner(*own, folder);
        runner.lineExecuted = [](int row) {
            if (row == 1) _exit(0);
        };
        runner.run(UpdateScriptRunner::findScripts(folder));
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(count(QStringLiteral("extra")), 0);
    EXPECT_EQ(files(), QStringList{QStringLiteral("dbupdate1-01.sql")});

    UpdateScriptRunner runner(*connection, folder);
    runner.run(UpdateScriptRunner::findScripts(folder));
    EXPECT_FALSE(runner.failed());
    EXPECT_EQ(count(QStringLiteral("extra")), 3);
    EXPECT_EQ(files(), QStringList{QStringLiteral("dbupdate1-01.bak")});
}

TEST_F(UpdateScriptsFixture, ScriptPlacedAgainIsNumberedAndTheUserChooses) {
    script(QStringLiteral("dbupdate5-01.bak"), "");
    for (const auto& [answer, expected, file] :
         {std::tuple{MsgButton::Abort, false, QStringLiteral("dbupdate5-01.ba0")},
          std::tuple{MsgButton::Yes, true, QStringLiteral("dbupdate5-01.ba1")}}) {
        script(QStringLiteral("dbupdate5-01.sql"), "create table never (x integer)\n");
        UpdateScriptRunner runner(*connection, folder);
        runner.run({QStringLiteral("dbupdate5-01.sql")});
        EXPECT_EQ(runner.notRun(), 1);
        EXPECT_TRUE(QFileInfo::exists(folder + file));
        EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("dbupdate5-01.sql")));
        prompts.answers = {answer};
        EXPECT_EQ(runner.finish(prompts), expected);
        EXPECT_EQ(prompts.messages.back().text, ScriptsRunBefore);
        EXPECT_EQ(prompts.messages.back().buttons, MsgButton::Yes | MsgButton::Abort);
    }
    connection->open(dir.connectionString()); // reads the tables anew
    EXPECT_FALSE(connection->hasTable(QStringLiteral("never")));
}

TEST_F(UpdateScriptsFixture, EmptyScriptRunsNothingAndIsDone) {
    script(QStringLiteral("dbupdate0-01.sql"), "");
    UpdateScriptRunner runner(*connection, folder);
    QStringList shown;
    runner.linesAdded = [&](const QStringList& lines) { shown << lines; };
    runner.run(UpdateScriptRunner::findScripts(folder));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(files(), QStringList{QStringLiteral("dbupdate0-01.bak")});
    EXPECT_TRUE(runner.finish(prompts));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(UpdateScriptsFixture, StartUpAsksCopiesTheDatabaseFirstAndEndsOnFailure) {
    OSTRAPEL_SQLITE_ONLY("a copy of the file; a server is dumped (ServerMaintenanceTest)");
    UpdateScripts scripts(*connection, *settings, prompts);
    bool dialogRan = false;
    auto dialog = [&](bool ok) {
        return [&, ok](const QStringList& names) {
            dialogRan = true;
            EXPECT_EQ(names, QStringList{QStringLiteral("dbupdate1-01.sql")});
            // The promised copy exists before any statement runs.
            EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("db/backups/borderel.bak"))).size() > 0);
            return ok;
        };
    };

    EXPECT_TRUE(scripts.runUpdateScripts(dialog(true))); // nothing waiting: no question
    EXPECT_TRUE(prompts.messages.empty());

    script(QStringLiteral("dbupdate1-01.sql"), "select 1\n");
    prompts.answers = {MsgButton::No};
    EXPECT_FALSE(scripts.runUpdateScripts(dialog(true)));
    EXPECT_EQ(prompts.texts(), (QStringList{AskRunScripts, ProgramEnds}));
    EXPECT_FALSE(dialogRan);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("db/backups"))).exists());

    prompts.messages.clear();
    prompts.answers = {MsgButton::Yes};
    EXPECT_FALSE(scripts.runUpdateScripts(dialog(false)));
    EXPECT_TRUE(dialogRan);
    EXPECT_EQ(prompts.texts(), (QStringList{AskRunScripts, ScriptsFailed}));

    prompts.messages.clear();
    prompts.answers = {MsgButton::Yes};
    EXPECT_TRUE(scripts.runUpdateScripts(dialog(true)));
    EXPECT_EQ(scripts.backupPath(), dir.filePath(QStringLiteral("db/backups/borderel.b00")));
    EXPECT_EQ(prompts.texts(), QStringList{AskRunScripts});
}
