#include "DatabaseCompactor.h"

#include "BackupFiles.h"
#include "MaintenanceError.h"
#include "MaintenanceTexts.h"
#include "SqliteFile.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/ProgressReporter.h"
#include "core/Prompts.h"
#include "core/Settings.h"

#include <QFile>

namespace ostrapel {

using namespace MaintenanceTexts;

void DatabaseCompactor::packDatabase(const QString& source, const QString& destination) {
    try {
        BackupFiles::copyDatabase(source, destination);
        SqliteFile copy(destination, SqliteFile::Mode::ReadOnly);
        const QStringList problems = copy.integrityProblems();
        if (!problems.isEmpty()) throw DatabaseError(problems.join(QStringLiteral("\r\n")));
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

bool DatabaseCompactor::vacuumOnServer() {
    try {
        const ProgressScope working(progress_, VacuumProgressCaption);
        connection_.execute(QStringLiteral("VACUUM (ANALYZE)"));
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

    const ProgressScope copying(progress_, CopyProgressCaption);

    const QString connectionString = connection_.connectionString();
    const QString path = ConnectionString::parse(connectionString).dataSource();
    connection_.close();

    QString backup;
    try {
        backup = BackupFiles::renameToBackup(path);
    } catch (const MaintenanceError& e) {
        // Nothing has moved: carry on with the database as it is.
        connection_.open(connectionString);
        prompts_.error(e.message());
        return false;
    }
    try {
        pack(backup, path);
    } catch (const MaintenanceError& e) {
        prompts_.error(e.message());
        // The data is whole in the backup: put it back where it belongs.
        QFile::remove(path);
        if (!QFile::rename(backup, path)) {
            prompts_.error(RestoreFailed.arg(backup));
            return false;
        }
        connection_.open(connectionString);
        prompts_.inform(DatabaseRestored);
        return false;
    }
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
