#include "BackupFiles.h"

#include "MaintenanceError.h"
#include "MaintenanceTexts.h"
#include "SqliteFile.h"

#include "core/DatabaseError.h"
#include "core/FileWriter.h"

#include <QFile>
#include <QFileInfo>

namespace ostrapel {

using namespace MaintenanceTexts;

QString BackupFiles::nextBackupName(const QString& databasePath) {
    const QFileInfo info(databasePath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = info.path() + u'/' + (dot > 0 ? name.left(dot) : name);
    QString candidate = stem + QStringLiteral(".bak");
    for (int n = 0; QFileInfo::exists(candidate); ++n)
        candidate = stem + QStringLiteral(".b%1").arg(n, 2, 10, QChar(u'0'));
    return candidate;
}

QString BackupFiles::renameToBackup(const QString& databasePath) {
    // A rename succeeds here even while another program writes the file, so ask the engine first.
    bool free = false;
    try {
        SqliteFile file(databasePath, SqliteFile::Mode::ReadWrite);
        free = file.nobodyElseWriting();
    } catch (const DatabaseError&) {
    }
    const QString backup = nextBackupName(databasePath);
    if (!free || !QFile::rename(databasePath, backup))
        throw MaintenanceError(MaintenanceError::Kind::Rename, RenameFailed);
    return backup;
}

void BackupFiles::copyDatabase(const QString& source, const QString& destination) {
    if (QFileInfo::exists(destination))
        throw DatabaseError(QStringLiteral("Het bestand \"%1\" bestaat al.").arg(destination));
    // Written under a name of its own and renamed once whole: a kill leaves no half copy.
    const QString part = destination + QStringLiteral(".part");
    QFile::remove(part); // left by a copy that was killed
    try {
        SqliteFile file(source, SqliteFile::Mode::ReadOnly);
        file.vacuumInto(part);
    } catch (const DatabaseError&) {
        QFile::remove(part);
        throw;
    }
    try {
        FileWriter::placeFile(part, destination);
    } catch (const OstrapelError& e) {
        throw DatabaseError(e.message());
    }
}

QString BackupFiles::copyToBackup(const QString& databasePath, const QString& helpdeskPhoneNumber) {
    const QString backup = nextBackupName(databasePath);
    try {
        copyDatabase(databasePath, backup);
    } catch (const DatabaseError&) {
        throw MaintenanceError(MaintenanceError::Kind::Backup, BackupFailed.arg(helpdeskPhoneNumber));
    }
    return backup;
}

} // namespace ostrapel
