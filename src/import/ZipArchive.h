#pragma once

#include <QString>
#include <QStringList>

#include "core/BorderelDatabase.h"

namespace ostrapel {

// Zip archives through libzip.
class ZipArchive {
public:
    // The names of the entries in the archive; empty with an error when it cannot be read.
    static QStringList entries(const QString& archive, QString* error = nullptr);
    // Extracts every file entry into `folder`, without the folder names stored
    // in the archive ("../x.dat" and "/etc/x" land as x.dat and x), overwriting
    // files of the same name. All or nothing: a damaged archive leaves no file.
    // Returns the number of entries extracted; -1 on failure with `error` set.
    static int extractAll(const QString& archive, const QString& folder, QString* error = nullptr);
    // Writes an archive of the given files, stored under their names only.
    static bool create(const QString& archive, const QStringList& files, QString* error = nullptr);
};

// The data module's start-up check of the zip library: compressing and
// decompressing a small buffer works.
ZipCheck checkZipLibraries();

} // namespace ostrapel
