#include "ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>
#include <zip.h>

namespace ostrapel {

namespace {

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

ZipPtr openArchive(const QString& path, int flags) {
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), flags, &code);
    if (!z) {
        zip_error_t e;
        zip_error_init_with_code(&e, code);
        const QString message = QString::fromLocal8Bit(zip_error_strerror(&e));
        zip_error_fini(&e);
        throw ZipError(message);
    }
    return ZipPtr(z);
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

QStringList ZipArchive::entries(const QString& archive) {
    QStringList out;
    ZipPtr z = openArchive(archive, ZIP_RDONLY);
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i)
        if (const char* name = zip_get_name(z.get(), zip_uint64_t(i), 0)) out << QString::fromUtf8(name);
    return out;
}

int ZipArchive::extractAll(const QString& archive, const QString& folder) {
    ZipPtr z = openArchive(archive, ZIP_RDONLY | ZIP_CHECKCONS);
    const zip_int64_t n = zip_get_num_entries(z.get(), 0);
    struct Pending {
        QString temp;
        QString target;
    };
    std::vector<Pending> pending;
    auto fail = [&](const QString& message) {
        for (const Pending& p : pending)
            QFile::remove(p.temp);
        throw ZipError(message);
    };
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(z.get(), zip_uint64_t(i), 0, &st) != 0) continue;
        const QString name = baseName(st.name);
        if (name.isEmpty()) continue; // a folder entry
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> f(zip_fopen_index(z.get(), zip_uint64_t(i), 0),
                                                            zip_fclose);
        const QString target = QDir(folder).filePath(name);
        const QString temp = target + QStringLiteral(".part");
        QFile out(temp);
        if (!f) fail(QString::fromLocal8Bit(zip_strerror(z.get())));
        if (!out.open(QIODevice::WriteOnly)) fail(out.errorString());
        pending.push_back({temp, target});
        char buffer[65536];
        zip_int64_t read = 0;
        while ((read = zip_fread(f.get(), buffer, sizeof buffer)) > 0)
            out.write(buffer, read);
        out.close();
        if (read < 0) fail(QString::fromLocal8Bit(zip_file_strerror(f.get())));
    }
    for (const Pending& p : pending) {
        QFile::remove(p.target);
        QFile::rename(p.temp, p.target);
    }
    return int(pending.size());
}

void ZipArchive::create(const QString& archive, const QStringList& files) {
    QFile::remove(archive);
    ZipPtr z = openArchive(archive, ZIP_CREATE | ZIP_TRUNCATE);
    for (const QString& file : files) {
        zip_source_t* src = zip_source_file(z.get(), QFile::encodeName(file).constData(), 0, -1);
        if (!src || zip_file_add(z.get(), QFileInfo(file).fileName().toUtf8().constData(), src,
                                 ZIP_FL_OVERWRITE) < 0) {
            if (src) zip_source_free(src);
            throw ZipError(QString::fromLocal8Bit(zip_strerror(z.get())));
        }
    }
    zip_t* raw = z.release();
    if (zip_close(raw) != 0) {
        const QString message = QString::fromLocal8Bit(zip_strerror(raw));
        zip_discard(raw);
        throw ZipError(message);
    }
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

} // namespace ostrapel
