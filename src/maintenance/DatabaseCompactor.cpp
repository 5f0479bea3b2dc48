#include "DatabaseCompactor.h"

#include "BackupFiles.h"
#include "MaintenanceError.h"
#include "MaintenanceQueries.h"
#include "MaintenanceTexts.h"
#include "SqliteFile.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/FileWriter.h"
#include "core/ProgressReporter.h"
#include "core/Prompts.h"
#include "core/Settings.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <optional>

namespace ostrapel {

using namespace MaintenanceTexts;

void DatabaseCompactor::packDatabase(const QString& source, const QString& destination) {
    try {
        BackupFiles::copyDatabase(source, destination);
        QStringList problems;
        {
            SqliteFile copy(destination, SqliteFile::Mode::ReadOnly);
            problems = copy.integrityProblems();
        }
        if (!problems.isEmpty()) {
            QFile::remove(destination);
            throw DatabaseError(problems.join(QStringLiteral("\r\n")));
        }
    } catch (const DatabaseError& e) {
        throw MaintenanceError(MaintenanceError::Kind::CompactAndRepair, PackFailed.arg(e.message()));
    }
}

void DatabaseCompactor::renewOnceAMonthMarker(const QString& markerPath, const QDateTime& now) {
    QFile file(markerPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        !file.setFileTime(now, QFileDevice::FileModificationTime))
        throw DatabaseError(file.errorString());
}

namespace {

// The tables the role of the connection may (`owned`) or may not vacuum.
QStringList serverTables(const QSqlDatabase& db, bool owned) {
    QSqlQuery q(db);
    q.prepare(MaintenanceQueries::ServerTables);
    q.bindValue(QStringLiteral(":owned"), owned);
    if (!q.exec()) throw DatabaseError(q.lastError().text());
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    return tables;
}

} // namespace

bool DatabaseCompactor::vacuumOnServer() {
    try {
        const ProgressScope working(progress_, VacuumProgressCaption);
        const QSqlDatabase db = connection_.database();
        // The server skips a table its role may not vacuum with only a warning,
        // and would report the run a success.
        if (const QStringList refused = serverTables(db, false); !refused.isEmpty()) {
            QString named = refused.mid(0, 3).join(QStringLiteral(", "));
            if (refused.size() > 3) named += QStringLiteral(" ...");
            prompts_.error(VacuumNotAllowed.arg(db.userName()).arg(refused.size()).arg(named));
            return false;
        }
        // The tables by name: a VACUUM of the whole database also visits the
        // shared system tables, which only a superuser may vacuum.
        const QStringList tables = serverTables(db, true);
        QSqlQuery vacuum(db);
        if (!tables.isEmpty() &&
            !vacuum.exec(QStringLiteral("VACUUM (ANALYZE) ") + tables.join(QStringLiteral(", "))))
            throw DatabaseError(vacuum.lastError().text());
    } catch (const DatabaseError& e) {
        prompts_.error(PackFailed.arg(e.message()));
        return false;
    }
    renewOnceAMonthMarker(settings_.settingsFolder() + QStringLiteral("OnceAMonth"),
                          QDateTime::currentDateTime());
    prompts_.inform(CompactDone);
    return true;
}

bool DatabaseCompactor::compactAndRepair(const MaintenanceGuard& guard) {
    keptBackup_.clear();
    if (guard.windowCount() > 0 && !guard.confirm(CompactWord)) return false;
    if (guard.windowCount() > 0) return false;

    if (connection_.isPostgreSql()) return vacuumOnServer();

    std::shared_ptr<void> importsHeld;
    try {
        if (holdImports) importsHeld = holdImports();
    } catch (const OstrapelError& e) {
        prompts_.error(e.message());
        return false;
    }
    std::optional<ProgressScope> copying(std::in_place, progress_, CopyProgressCaption);

    const QString connectionString = connection_.connectionString();
    const QString path = ConnectionString::parse(connectionString).dataSource();
    connection_.close();

    // The database is replaced in one rename, once the compacted copy is whole
    // and checked: a kill at any moment leaves the old or the new database.
    const QString compacted = path + QStringLiteral(".compact");
    const QString backup = BackupFiles::nextBackupName(path);
    bool backupMade = false;
    try {
        progress_.whileBusy([&] {
            // Nobody may write while the file is copied and replaced.
            std::optional<SqliteFile> writeLock;
            try {
                writeLock.emplace(path, SqliteFile::Mode::ReadWrite);
            } catch (const DatabaseError&) {
            }
            if (!writeLock || !writeLock->nobodyElseWriting() || !writeLock->holdWriteLock())
                throw MaintenanceError(MaintenanceError::Kind::Rename, RenameFailed);
            FileWriter::copyFile(path, backup);
            backupMade = true;
            QFile::remove(compacted); // left by a compaction that was killed
            pack(path, compacted);
            FileWriter::placeFile(compacted, path);
        });
    } catch (const OstrapelError& e) {
        QFile::remove(compacted);
        if (backupMade) QFile::remove(backup);
        copying.reset();
        prompts_.error(e.message());
        connection_.open(connectionString);
        // when the database was in use nothing was tried
        const auto* m = dynamic_cast<const MaintenanceError*>(&e);
        if (!m || m->kind() != MaintenanceError::Kind::Rename) prompts_.inform(DatabaseUnchanged);
        return false;
    }
    copying.reset(); // the question comes on top
    renewOnceAMonthMarker(settings_.settingsFolder() + QStringLiteral("OnceAMonth"),
                          QDateTime::currentDateTime());
    if (prompts_.askYesNo(MsgType::Confirmation, AskKeepBackup))
        keptBackup_ = backup;
    else
        QFile::remove(backup);
    connection_.open(connectionString);
    return true;
}

} // namespace ostrapel
