#pragma once

#include <QString>
#include <QStringList>

#include "ZipError.h"
#include "core/BorderelDatabase.h"

namespace ostrapel {

// Zip archives through libzip. Every operation throws ZipError when it fails.
class ZipArchive {
public:
    // The names of the entries in the archive.
    static QStringList entries(const QString& archive);
    // Extracts every file entry into `folder`, without the folder names stored
    // in the archive ("../x.dat" and "/etc/x" land as x.dat and x), overwriting
    // files of the same name. All or nothing: a damaged archive leaves no file.
    // Returns the number of entries extracted.
    static int extractAll(const QString& archive, const QString& folder);
    // Writes an archive of the given files, stored under their names only.
    static void create(const QString& archive, const QStringList& files);
};

// The data module's start-up check of the zip library: compressing and
// decompressing a small buffer works.
ZipCheck checkZipLibraries();

} // namespace ostrapel
