// Backup and compaction headless, as a scheduled job runs them.
#include "TestProgramDir.h"
#include "core/ConnectionString.h"
#include "maintenance/MaintenanceTexts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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

// A compaction killed at any moment leaves the database whole where it was,
// old or new, and every backup beside it whole too.
TEST_F(MaintenanceCli, AKilledCompactionLeavesAWholeDatabase) {
    OSTRAPEL_SQLITE_ONLY("the database file; a server compacts in place");
    constexpr int Rows = 100000;
    {
        auto db = dir.connect(QStringLiteral("ballast"));
        // rows and an index to give the engine work to copy and check
        db->execute(QStringLiteral("create table ballast (id integer primary key, t text)"));
        db->execute(QStringLiteral("create index ballast_t on ballast (t)"));
        db->execute(
            QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                           "insert into ballast (t) select hex(randomblob(24)) from n")
                .arg(Rows));
        db->execute(QStringLiteral("delete from ballast where id % 3 = 0")); // room to compact
    }
    const int left = Rows - Rows / 3;
    const auto whole = [&](const QString& file) {
        try {
            Connection c(QStringLiteral("whole"));
            c.open(ConnectionString::forSqliteFile(file).toString());
            return c.scalar(QStringLiteral("PRAGMA integrity_check")).toString() == QStringLiteral("ok") &&
                   c.scalar(QStringLiteral("select count(*) from ballast")).toInt() == left;
        } catch (const std::exception& e) {
            ADD_FAILURE() << file.toStdString() << ": " << e.what();
            return false;
        }
    };
    const QRegularExpression backupName(QStringLiteral("^borderel\\.(bak|b\\d\\d)$"));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(cli({QStringLiteral("compact")}).exitCode, 0);
    const qint64 duration = timer.elapsed();

    const double fractions[] = {0.05, 0.1,  0.15, 0.2,  0.25, 0.3,  0.35, 0.4,  0.45, 0.5,  0.55,
                                0.6,  0.65, 0.7,  0.75, 0.8,  0.85, 0.9,  0.95, 1.0,  1.05, 1.1};
    int killed = 0;
    for (double fraction : fractions) {
        QProcess p;
        p.start(QStringLiteral(OSTRAPEL_CLI),
                {QStringLiteral("--program-dir"), dir.path(), QStringLiteral("compact")});
        ASSERT_TRUE(p.waitForStarted());
        if (!p.waitForFinished(int(duration * fraction))) ++killed;
        p.kill();
        p.waitForFinished();
        EXPECT_TRUE(whole(dir.databasePath())) << fraction;
        for (const QString& name : dbFolder()) {
            if (!backupName.match(name).hasMatch()) continue;
            EXPECT_TRUE(whole(dir.filePath(QStringLiteral("db/") + name)))
                << name.toStdString() << " at " << fraction;
        }
    }
    // a later compaction clears what the killed ones left
    ASSERT_EQ(cli({QStringLiteral("compact")}).exitCode, 0);
    EXPECT_TRUE(whole(dir.databasePath()));
    for (const QString& name : dbFolder())
        EXPECT_FALSE(name.endsWith(QStringLiteral(".compact")) || name.endsWith(QStringLiteral(".part")))
            << name.toStdString();
    std::printf("compaction took %lld ms; %d of %zu runs killed part-way, every database whole\n", duration,
                killed, std::size(fractions));
}
