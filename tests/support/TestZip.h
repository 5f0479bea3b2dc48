#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <zip.h>

#include "import/ZipArchive.h"
#include "import/ZipError.h"

namespace ostrapel::test {

// An archive whose entries carry the given names and contents; a name ending
// in "/" is a folder entry. (For tests that link the import library.)
inline void writeZip(const QString& path, const QList<QPair<QByteArray, QByteArray>>& entries) {
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(z, nullptr);
    for (const auto& e : entries) {
        if (e.first.endsWith('/')) {
            ASSERT_GE(zip_dir_add(z, e.first.constData(), 0), 0);
            continue;
        }
        char* copy = static_cast<char*>(malloc(size_t(e.second.size()) + 1));
        memcpy(copy, e.second.constData(), size_t(e.second.size()));
        zip_source_t* s = zip_source_buffer(z, copy, zip_uint64_t(e.second.size()), 1);
        ASSERT_GE(zip_file_add(z, e.first.constData(), s, 0), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

// extractAll with its failure as -1 and the reason in `error`, for tables of cases.
inline int extractOrReason(const QString& archive, const QString& folder, QString* error,
                           QStringList* names = nullptr, qint64 maxEntrySize = ZipArchive::MaxEntrySize) {
    try {
        return ZipArchive::extractAll(archive, folder, names, maxEntrySize);
    } catch (const ZipError& e) {
        *error = e.message();
        return -1;
    }
}

} // namespace ostrapel::test
