#pragma once

#include <QString>

namespace ostrapel {

// Backup names beside the database file and the moves and copies to them.
class BackupFiles {
public:
    // The path with the extension ".bak", or ".b00", ".b01", ... while that name is taken.
    static QString nextBackupName(const QString& databasePath);
    // Moves the database to its next backup name and returns that name;
    // MaintenanceError (Rename) when another connection is busy with it or the move fails.
    static QString renameToBackup(const QString& databasePath);
    // Writes a consistent copy of the database to its next backup name and
    // returns that name; MaintenanceError (Backup) with the helpdesk number on failure.
    static QString copyToBackup(const QString& databasePath, const QString& helpdeskPhoneNumber);
    // A consistent copy at `destination` (which must not exist); a failed or
    // killed copy leaves no file of that name. Throws DatabaseError.
    static void copyDatabase(const QString& source, const QString& destination);
};

} // namespace ostrapel
