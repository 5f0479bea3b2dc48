#pragma once

#include <QString>

namespace ostrapel {

// A backup of a database on a PostgreSQL server: pg_dump's custom format in
// the program's backups folder.
class ServerDump {
public:
    // pg_dump on the PATH, else the newest of /usr/lib/postgresql/*/bin; empty when missing.
    static QString pgDumpProgram();
    // The backups folder of a server database: db/backups under the program folder.
    static QString backupsFolder(const QString& programDir);
    // Dumps the database the connection string names to
    // "<folder>/<database>-<yyyyMMdd-HHmmss>.dump" and returns that path. The
    // password goes to pg_dump through its environment, never its arguments.
    // Throws MaintenanceError (Backup) with a Dutch message; no file is left
    // behind on failure.
    static QString dump(const QString& connectionString, const QString& folder,
                        const QString& program = pgDumpProgram());
};

} // namespace ostrapel
