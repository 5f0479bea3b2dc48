#pragma once

#include <QString>
#include <QStringList>

#include "core/StatementDatabase.h"

namespace ostrapel {

// Zip archives through libzip.
class ZipArchive {
public:
    // Statements are tens of megabytes at most; an entry that unpacks larger
    // is refused rather than filling the disk.
    static constexpr qint64 MaxEntrySize = 512LL * 1024 * 1024;

    // The names of the entries in the archive; empty with an error when it cannot be read.
    // Failures throw ZipError with a Dutch reason.
    static QStringList entries(const QString& archive);
    // Extracts every file entry into `folder`, without the folder names stored
    // in the archive ("../x.dat" and "/etc/x" land as x.dat and x), overwriting
    // files of the same name; of two entries with one name the later wins.
    // All or nothing: a damaged archive, or an entry larger than `maxEntrySize`
    // or the free disk space, leaves no file. Returns the number of files
    // extracted, their names in `extracted`; -1 on failure with a Dutch `error`.
    static int extractAll(const QString& archive, const QString& folder, QStringList* extracted = nullptr,
                          qint64 maxEntrySize = MaxEntrySize);
    // Writes an archive of the given files, stored under their names only.
    static void create(const QString& archive, const QStringList& files);
};

// The data module's start-up check of the zip library: compressing and
// decompressing a small buffer works.
ZipCheck checkZipLibraries();

} // namespace ostrapel
