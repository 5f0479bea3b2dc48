#include "ZipArchive.h"

#include "ZipError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <algorithm>
#include <memory>
#include <zip.h>

namespace ostrapel {

namespace {

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

// The reason of a libzip error in Dutch; the library's own texts are English.
QString zipReason(int code) {
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("het bestand is geen zip-archief");
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return QStringLiteral("het archief is beschadigd of onvolledig");
    case ZIP_ER_CRC:
        return QStringLiteral("het archief is beschadigd: de controlesom (CRC) van een bestand klopt niet");
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        return QStringLiteral("het archief is versleuteld");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("de compressiemethode wordt niet ondersteund");
    case ZIP_ER_ZLIB:
#ifdef ZIP_ER_COMPRESSED_DATA
    case ZIP_ER_COMPRESSED_DATA:
#endif
        return QStringLiteral("de gecomprimeerde gegevens zijn beschadigd");
    case ZIP_ER_NOENT:
        return QStringLiteral("het bestand bestaat niet");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return QStringLiteral("het archief kan niet worden gelezen");
    case ZIP_ER_MEMORY:
        return QStringLiteral("onvoldoende geheugen");
    default:
        return QStringLiteral("het archief is beschadigd (foutcode %1)").arg(code);
    }
}

ZipPtr openArchive(const QString& path, int flags, QString* error) {
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), flags, &code);
    if (!z && error) *error = zipReason(code);
    return ZipPtr(z);
}

QString tooLarge(const QString& name, qint64 limit) {
    const qint64 mb = 1024 * 1024;
    return QStringLiteral("het bestand \"%1\" wordt uitgepakt groter dan %2 MB")
        .arg(name)
        .arg((limit + mb - 1) / mb);
}

// The last part of an entry name, whichever slash the archive used.
QString baseName(const char* entryName) {
    QString name = QString::fromUtf8(entryName);
    name.replace(u'\\', u'/');
    const qsizetype slash = name.lastIndexOf(u'/');
    name = name.mid(slash + 1);
    return name == QStringLiteral(".") || name == QStringLiteral("..") ? QString() : name;
}

} // namespace

static QStringList readEntries(const QString& archive, QString* error) {
    QStringList out;
    ZipPtr z = openArchive(archive, ZIP_RDONLY, error);
    if (!z) return out;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i)
        if (const char* name = zip_get_name(z.get(), zip_uint64_t(i), 0)) out << QString::fromUtf8(name);
    return out;
}

static int extractOrFail(const QString& archive, const QString& folder, QString* error,
                         QStringList* extracted, qint64 maxEntrySize) {
    ZipPtr z = openArchive(archive, ZIP_RDONLY | ZIP_CHECKCONS, error);
    if (!z) return -1;
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    struct Pending {
        QString temp;
        QString target;
    };
    std::vector<Pending> pending;
    auto fail = [&](const QString& reason) {
        for (const Pending& p : pending)
            QFile::remove(p.temp);
        if (error) *error = reason;
        return -1;
    };
    const QString diskFull = QStringLiteral("onvoldoende vrije schijfruimte in \"%1\"").arg(folder);
    qint64 free = QStorageInfo(folder).bytesAvailable();
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(z.get(), zip_uint64_t(i), 0, &st) != 0) continue;
        const QString name = baseName(st.name);
        if (name.isEmpty()) continue; // a folder entry
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            return fail(zipReason(ZIP_ER_NOPASSWD));
        const qint64 declared = (st.valid & ZIP_STAT_SIZE) ? qint64(st.size) : 0;
        if (declared > maxEntrySize) return fail(tooLarge(name, maxEntrySize));
        if (free >= 0 && declared > free) return fail(diskFull);
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> f(zip_fopen_index(z.get(), zip_uint64_t(i), 0),
                                                            zip_fclose);
        if (!f) return fail(zipReason(zip_error_code_zip(zip_get_error(z.get()))));
        const QString target = QDir(folder).filePath(name);
        // an entry of its own temporary name: two entries may share a base name
        const QString temp = QDir(folder).filePath(QStringLiteral(".%1.%2.part").arg(i).arg(name));
        QFile out(temp);
        if (!out.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("het bestand \"%1\" kan niet worden geschreven").arg(temp));
        pending.push_back({temp, target});
        // streamed in blocks, and counted: the declared size may lie
        char buffer[65536];
        zip_int64_t read = 0;
        qint64 written = 0;
        while ((read = zip_fread(f.get(), buffer, sizeof buffer)) > 0) {
            written += read;
            if (written > maxEntrySize) return fail(tooLarge(name, maxEntrySize));
            if (out.write(buffer, read) != read) return fail(diskFull);
        }
        if (read < 0) return fail(zipReason(zip_error_code_zip(zip_file_get_error(f.get()))));
        if (!out.flush()) return fail(diskFull);
        out.close();
        free -= written;
    }
    // of two entries with one name the later wins
    QStringList names;
    for (size_t k = 0; k < pending.size(); ++k) {
        const bool overwritten = std::any_of(pending.begin() + qsizetype(k) + 1, pending.end(),
                                             [&](const Pending& p) { return p.target == pending[k].target; });
        if (overwritten) {
            QFile::remove(pending[k].temp);
            continue;
        }
        QFile::remove(pending[k].target);
        if (!QFile::rename(pending[k].temp, pending[k].target)) {
            QFile::remove(pending[k].temp);
            continue;
        }
        names << QFileInfo(pending[k].target).fileName();
    }
    if (extracted) *extracted = names;
    return int(names.size());
}

static bool createOrFail(const QString& archive, const QStringList& files, QString* error) {
    QFile::remove(archive);
    ZipPtr z = openArchive(archive, ZIP_CREATE | ZIP_TRUNCATE, error);
    if (!z) return false;
    for (const QString& file : files) {
        zip_source_t* src = zip_source_file(z.get(), QFile::encodeName(file).constData(), 0, -1);
        if (!src || zip_file_add(z.get(), QFileInfo(file).fileName().toUtf8().constData(), src,
                                 ZIP_FL_OVERWRITE) < 0) {
            if (src) zip_source_free(src);
            if (error) *error = QString::fromLocal8Bit(zip_strerror(z.get()));
            return false;
        }
    }
    zip_t* raw = z.release();
    if (zip_close(raw) != 0) {
        if (error) *error = QString::fromLocal8Bit(zip_strerror(raw));
        zip_discard(raw);
        return false;
    }
    return true;
}

ZipCheck checkZipLibraries() {
    static const char text[] = "000012001-02.dat";
    zip_error_t err;
    zip_error_init(&err);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &err);
    if (!buffer) return ZipCheck::CompressFailed;
    zip_source_keep(buffer);
    zip_t* z = zip_open_from_source(buffer, ZIP_TRUNCATE, &err);
    zip_source_t* entry = z ? zip_source_buffer(z, text, sizeof text, 0) : nullptr;
    const bool written = z && entry && zip_file_add(z, "check", entry, 0) >= 0 && zip_close(z) == 0;
    if (!written) {
        if (entry) zip_source_free(entry);
        if (z) zip_discard(z);
        zip_source_free(buffer);
        zip_error_fini(&err);
        return ZipCheck::CompressFailed;
    }
    ZipCheck result = ZipCheck::DecompressFailed;
    zip_source_keep(buffer); // the reading archive takes one reference
    zip_t* r = zip_open_from_source(buffer, ZIP_RDONLY, &err);
    if (!r) zip_source_free(buffer);
    if (r) {
        char back[sizeof text] = {};
        if (zip_file_t* f = zip_fopen(r, "check", 0)) {
            if (zip_fread(f, back, sizeof back) == zip_int64_t(sizeof text) &&
                std::equal(back, back + sizeof text, text))
                result = ZipCheck::Ok;
            zip_fclose(f);
        }
        zip_discard(r);
    }
    zip_source_free(buffer);
    zip_error_fini(&err);
    return result;
}

QStringList ZipArchive::entries(const QString& archive) {
    QString error;
    QStringList names = readEntries(archive, &error);
    if (!error.isEmpty()) throw ZipError(error);
    return names;
}

int ZipArchive::extractAll(const QString& archive, const QString& folder, QStringList* extracted,
                           qint64 maxEntrySize) {
    QString error;
    const int n = extractOrFail(archive, folder, &error, extracted, maxEntrySize);
    if (n < 0) throw ZipError(error);
    return n;
}

void ZipArchive::create(const QString& archive, const QStringList& files) {
    QString error;
    if (!createOrFail(archive, files, &error)) throw ZipError(error);
}

} // namespace ostrapel
