// Backup and compaction headless, as a scheduled job runs them.
#include "TestProgramDir.h"
#include "maintenance/MaintenanceTexts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

struct Result {
    int exitCode;
    QString out;
};

class MaintenanceCli : public ::testing::Test {
protected:
    Result cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(OSTRAPEL_CLI),
                QStringList{QStringLiteral("--program-dir"), dir.path()} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
    }
    QStringList dbFolder() const {
        return QDir(dir.filePath(QStringLiteral("db"))).entryList(QDir::Files, QDir::Name);
    }
    static QString plain(QString text) { return text.remove(u'\r'); }

    test::TestProgramDir dir;
};

} // namespace

TEST_F(MaintenanceCli, BackupAndCompactWithTheCommandsNamesAndMessages) {
    OSTRAPEL_SQLITE_ONLY("the database file; a server's in ServerMaintenanceTest");
    Result r = cli({QStringLiteral("backup")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, plain(MaintenanceTexts::BackupDone) + u'\n');
    EXPECT_EQ(cli({QStringLiteral("backup")}).exitCode, 0);

    r = cli({QStringLiteral("compact")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, plain(MaintenanceTexts::AskKeepBackup) + u'\n');
    EXPECT_EQ(dbFolder(), (QStringList{QStringLiteral("borderel.b00"), QStringLiteral("borderel.bak"),
                                       QStringLiteral("borderel.db")}));
    EXPECT_EQ(cli({QStringLiteral("compact"), QStringLiteral("--keep-backup")}).exitCode, 0);
    EXPECT_TRUE(dbFolder().contains(QStringLiteral("borderel.b01")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Settings/OnceAMonth"))));
    EXPECT_EQ(cli({QStringLiteral("compact"), QStringLiteral("extra")}).exitCode, 2);
}

// The database and its backups are for their owner and group only, also when
// the database was delivered readable by everyone.
TEST_F(MaintenanceCli, TheDatabaseAndItsBackupsAreForOwnerAndGroupOnly) {
    OSTRAPEL_SQLITE_ONLY("the database file");
    const QFile::Permissions others = QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QFile::setPermissions(dir.databasePath(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_EQ(cli({QStringLiteral("backup")}).exitCode, 0);
    ASSERT_EQ(cli({QStringLiteral("compact"), QStringLiteral("--keep-backup")}).exitCode, 0);
    const QStringList files = dbFolder();
    EXPECT_EQ(files.size(), 3) << files.join(u' ').toStdString(); // .bak, .b00, .db
    for (const QString& name : files) {
        const QFile::Permissions p = QFile::permissions(dir.filePath(QStringLiteral("db/") + name));
        EXPECT_EQ(p & others, QFile::Permissions()) << name.toStdString();
        EXPECT_TRUE(p & QFile::ReadGroup) << name.toStdString();
    }
}

TEST_F(MaintenanceCli, ADamagedDatabaseIsLeftAsItWas) {
    OSTRAPEL_SQLITE_ONLY("the database file; a server's in ServerMaintenanceTest");
    QFile db(dir.databasePath());
    ASSERT_TRUE(db.open(QIODevice::WriteOnly));
    db.write(QByteArray(8192, 'x'));
    db.close();
    EXPECT_EQ(cli({QStringLiteral("compact")}).exitCode, 2);
    EXPECT_EQ(dbFolder(), QStringList{QStringLiteral("borderel.db")});
    ASSERT_TRUE(db.open(QIODevice::ReadOnly));
    EXPECT_EQ(db.readAll(), QByteArray(8192, 'x'));
}
