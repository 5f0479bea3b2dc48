// Compact, repair and backup: backup names, the kept or discarded backup, the
// restore after a failed compaction, and the reminder's marker.
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/ProgressReporter.h"
#include "core/Settings.h"
#include "maintenance/BackupFiles.h"
#include "maintenance/DatabaseBackup.h"
#include "maintenance/DatabaseCompactor.h"
#include "maintenance/MaintenanceError.h"
#include "maintenance/MaintenanceTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace ostrapel;
using namespace ostrapel::MaintenanceTexts;

namespace {

class CompactFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OSTRAPEL_SQLITE_ONLY("the database file, its copies and renames");
        settings = std::make_unique<Settings>(dir.path());
        connection = dir.connect();
        connection->execute(
            QStringLiteral("insert into bord00 (ID01, ID02, ID03, [0003]) values (7, 1, '2005-01', 'Smid')"));
    }
    QString db(const QString& name) const { return dir.filePath(QStringLiteral("db/") + name); }
    QStringList dbFolder() const {
        return QDir(dir.filePath(QStringLiteral("db"))).entryList(QDir::Files, QDir::Name);
    }
    QString marker() const { return settings->settingsFolder() + QStringLiteral("OnceAMonth"); }
    int bord00Rows() { return connection->scalar(QStringLiteral("select count(*) from bord00")).toInt(); }

    test::TestProgramDir dir;
    test::ScriptedPrompts prompts;
    NullProgress progress;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<Connection> connection;
};

} // namespace

TEST_F(CompactFixture, BackupNamesNeverOverwrite) {
    const QString path = db(QStringLiteral("borderel.db"));
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        names << QFileInfo(BackupFiles::nextBackupName(path)).fileName();
        QFile f(BackupFiles::nextBackupName(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("borderel.bak"), QStringLiteral("borderel.b00"),
                                  QStringLiteral("borderel.b01")}));
}

TEST_F(CompactFixture, CompactionKeepsOrDiscardsItsBackupAndRenewsTheMarker) {
    for (const auto& [answer, files] :
         {std::pair{MsgButton::No, QStringList{QStringLiteral("borderel.db")}},
          std::pair{MsgButton::Yes,
                    QStringList{QStringLiteral("borderel.bak"), QStringLiteral("borderel.db")}}}) {
        QFile::remove(marker());
        prompts.messages.clear();
        prompts.answers = {answer};
        DatabaseCompactor compactor(*connection, *settings, prompts, progress);
        EXPECT_TRUE(compactor.compactAndRepair());
        EXPECT_EQ(prompts.texts(), QStringList{AskKeepBackup});
        EXPECT_EQ(dbFolder(), files);
        EXPECT_TRUE(connection->isOpen());
        EXPECT_EQ(bord00Rows(), 1);
        ASSERT_TRUE(QFileInfo::exists(marker()));
        EXPECT_LE(QFileInfo(marker()).lastModified().secsTo(QDateTime::currentDateTime()), 5);
    }
    // A marker that exists gets the time of the compaction.
    QFile f(marker());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addDays(-40), QFileDevice::FileModificationTime);
    f.close();
    DatabaseCompactor::renewOnceAMonthMarker(marker(), QDateTime::currentDateTime());
    EXPECT_LE(QFileInfo(marker()).lastModified().secsTo(QDateTime::currentDateTime()), 5);
}

TEST_F(CompactFixture, FailedCompactionLeavesTheDatabase) {
    DatabaseCompactor compactor(*connection, *settings, prompts, progress);
    compactor.pack = [](const QString&, const QString& destination) {
        QFile half(destination); // what a compaction cut short may leave
        if (half.open(QIODevice::WriteOnly)) half.write("SQLite format 3");
        throw MaintenanceError(MaintenanceError::Kind::CompactAndRepair,
                               PackFailed.arg(QStringLiteral("schijf vol")));
    };
    EXPECT_FALSE(compactor.compactAndRepair());
    EXPECT_EQ(prompts.texts(),
              (QStringList{QStringLiteral("Error packing database: schijf vol"), DatabaseUnchanged}));
    EXPECT_EQ(prompts.messages[0].type, MsgType::Error);
    EXPECT_EQ(dbFolder(), QStringList{QStringLiteral("borderel.db")});
    ASSERT_TRUE(connection->isOpen());
    EXPECT_EQ(bord00Rows(), 1);
    EXPECT_FALSE(QFileInfo::exists(marker()));
}

TEST_F(CompactFixture, PackingADamagedFileFailsWithTheEnginesMessage) {
    QFile bad(db(QStringLiteral("kapot.db")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(4096, 'x'));
    bad.close();
    try {
        DatabaseCompactor::packDatabase(bad.fileName(), db(QStringLiteral("nieuw.db")));
        FAIL() << "no error";
    } catch (const MaintenanceError& e) {
        EXPECT_EQ(e.kind(), MaintenanceError::Kind::CompactAndRepair);
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Error packing database: "))) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(db(QStringLiteral("nieuw.db"))));
}

TEST_F(CompactFixture, AnotherWriterKeepsTheDatabaseInPlace) {
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(db(QStringLiteral("borderel.db")));
    ASSERT_TRUE(other.open());
    {
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE"))); // writing, not yet committed
        DatabaseCompactor compactor(*connection, *settings, prompts, progress);
        EXPECT_FALSE(compactor.compactAndRepair());
        lock.exec(QStringLiteral("ROLLBACK"));
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    EXPECT_EQ(prompts.texts(), QStringList{RenameFailed});
    EXPECT_EQ(dbFolder(), QStringList{QStringLiteral("borderel.db")});
    ASSERT_TRUE(connection->isOpen());
    EXPECT_EQ(bord00Rows(), 1);
}

TEST_F(CompactFixture, OpenWindowsAndTheMaintenanceCheck) {
    int windows = 1;
    QStringList asked;
    bool confirm = false;
    const MaintenanceGuard guard{[&](const QString& word) {
                                     asked << word;
                                     return confirm;
                                 },
                                 [&] { return windows; }};
    // Declined: nothing happens.
    EXPECT_FALSE(DatabaseCompactor(*connection, *settings, prompts, progress).compactAndRepair(guard));
    DatabaseBackup backup(*connection, *settings, prompts, progress);
    EXPECT_EQ(backup.run(guard), DatabaseBackup::Outcome::NotRun);
    EXPECT_EQ(dbFolder(), QStringList{QStringLiteral("borderel.db")});
    EXPECT_EQ(asked, (QStringList{CompactWord, CompactWord}));

    // Without windows the compaction asks nothing; the backup always runs the check.
    windows = 0;
    confirm = true;
    asked.clear();
    prompts.answers = {MsgButton::No};
    EXPECT_TRUE(DatabaseCompactor(*connection, *settings, prompts, progress).compactAndRepair(guard));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(backup.run(guard), DatabaseBackup::Outcome::Done);
    EXPECT_EQ(asked, QStringList{CompactWord});
}

TEST_F(CompactFixture, BackupIsAWholeCopyBesideTheDatabase) {
    DatabaseBackup backup(*connection, *settings, prompts, progress);
    ASSERT_EQ(backup.run(), DatabaseBackup::Outcome::Done);
    EXPECT_EQ(backup.backupPath(), db(QStringLiteral("borderel.bak")));
    EXPECT_EQ(prompts.texts(), QStringList{BackupDone});
    EXPECT_TRUE(connection->isOpen());
    connection->execute(QStringLiteral("delete from bord00"));
    Connection copy(QStringLiteral("copy"));
    copy.open(ConnectionString::forSqliteFile(backup.backupPath()).toString());
    EXPECT_EQ(copy.scalar(QStringLiteral("select [0003] from bord00 where ID01 = 7")).toString(),
              QStringLiteral("Smid"));
}
