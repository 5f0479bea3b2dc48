#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// The information file about this computer and the libraries the program
// loads, one per computer in the Info folder.
class SystemInformation {
public:
    // infoDir with a trailing "/".
    explicit SystemInformation(const QString& infoDir);

    // Info folder + program name without extension + "_" + computer name + ".info".
    QString infoFilePath(const QString& programFile) const;
    // Appends the report lines; throws OstrapelError when the program file is missing.
    void buildProgramInfo(const QString& programFile, QStringList* lines) const;
    // Writes the file (Windows-1252, CR LF) in one piece and returns its path.
    QString writeProgramInfo(const QString& programFile) const;

    // Where a library the program needs is found: where this process loaded
    // it, else the program folder, the program's run path, LD_LIBRARY_PATH and
    // the system's library folders. Empty when not found.
    QString findLibrary(const QString& name, const QString& programFile, const QStringList& runPath) const;
    // The version in a library's file name ("libQt6Core.so.6.4.2" gives "6.4.2").
    static QString libraryVersion(const QString& path);

    // Libraries the program loads besides its own needed ones: the database driver.
    QStringList extraModules;
    // LD_LIBRARY_PATH as the process started; replaceable in tests.
    QString libraryPathVariable;
    // The database server's own version text, when the database is on a server.
    QString databaseServer;

private:
    QString infoDir_;
};

} // namespace ostrapel
