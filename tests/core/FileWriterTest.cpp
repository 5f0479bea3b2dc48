// Files are written whole or not at all, and only over regular files.
#include "core/FileWriter.h"
#include "core/OstrapelError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace ostrapel;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Writes past `limit` bytes fail as on a full disk (EFBIG instead of ENOSPC).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = old_;
        tight.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// The four ways of writing, each of 64 KB, so that a small limit cuts them.
// The copied and the placed way read a scratch file made beforehand.
const QByteArray Big(65536, 'n');
const struct Way {
    const char* name;
    QByteArray scratch;
    void (*write)(const QString& target, const QString& scratch);
} Ways[] = {
    {"whole", {}, [](const QString& target, const QString&) { FileWriter::writeFile(target, Big); }},
    {"streamed",
     {},
     [](const QString& target, const QString&) {
         FileWriter w(target);
         for (int i = 0; i < 64; ++i)
             w.device().write(Big.left(1024)); // unchecked, as a report writer streams
         w.commit();
     }},
    {"copied", Big,
     [](const QString& target, const QString& scratch) { FileWriter::copyFile(scratch, target); }},
    {"placed", Big + "%%EOF\n",
     [](const QString& target, const QString& scratch) {
         FileWriter::placeFile(scratch, target, PdfTrailer);
     }},
};

} // namespace

TEST(FileWriterTest, WritesWholeOrLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("uit.txt"));
    const QString scratch = dir.filePath(QStringLiteral("kladblok"));
    const auto onlyTarget = [&] {
        QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        files.removeOne(QStringLiteral("kladblok"));
        return files;
    };
    for (const Way& way : Ways) {
        put(target, "oud");
        if (!way.scratch.isEmpty()) put(scratch, way.scratch);
        way.write(target, scratch);
        EXPECT_EQ(contents(target).left(Big.size()), Big) << way.name;
        EXPECT_EQ(onlyTarget(), QStringList{QStringLiteral("uit.txt")}) << way.name;

        // a full disk (here: a file size limit) fails the write; the old file stays
        put(target, "oud");
        if (!way.scratch.isEmpty()) put(scratch, way.scratch);
        // a placed file is only renamed; its own writer's faults show in the trailer (below)
        if (QByteArray(way.name) == "placed") continue;
        QString message;
        {
            const FileSizeLimit limit(4096);
            try {
                way.write(target, scratch);
            } catch (const OstrapelError& e) {
                message = e.message();
            }
        }
        EXPECT_TRUE(message.startsWith(FileWriterTexts::NotWrittenBecause.arg(target, QString())))
            << way.name << ": " << message.toStdString();
        EXPECT_EQ(contents(target), "oud") << way.name;
        EXPECT_EQ(onlyTarget(), QStringList{QStringLiteral("uit.txt")}) << way.name;
    }
    // a cut PDF (no trailer) is not put in place
    QFile::remove(scratch);
    put(scratch, "%PDF-1.4 half");
    EXPECT_THROW(FileWriter::placeFile(scratch, target, PdfTrailer), OstrapelError);
    EXPECT_EQ(contents(target), "oud");
    EXPECT_FALSE(QFile::exists(scratch));
}

TEST(FileWriterTest, RefusesToReplaceAnythingButARegularFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pijp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath(QStringLiteral("map"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString dangling = dir.filePath(QStringLiteral("verwijzing"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nergens")), dangling));
    QStringList targets{fifo, folder, dangling};
    // a character device like /dev/null, where the system lets us make one
    const QString device = dir.filePath(QStringLiteral("apparaat"));
    if (mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0)
        targets << device;
    else
        std::printf("no character device made (%s): that case is left out\n", std::strerror(errno));
    const QString scratch = dir.filePath(QStringLiteral("kladblok"));
    for (const QString& target : targets) {
        const QFileInfo before(target);
        for (const Way& way : Ways) {
            try {
                way.write(target, scratch);
                ADD_FAILURE() << way.name << " replaced " << target.toStdString();
            } catch (const OstrapelError& e) {
                EXPECT_EQ(e.message(), FileWriterTexts::NotARegularFile.arg(target)) << way.name;
            }
            const QFileInfo after(target);
            EXPECT_EQ(after.isSymLink(), before.isSymLink()) << target.toStdString();
            EXPECT_EQ(after.isDir(), before.isDir()) << target.toStdString();
            EXPECT_EQ(after.isFile(), before.isFile()) << target.toStdString();
        }
    }
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    if (targets.contains(device)) {
        ASSERT_EQ(stat(QFile::encodeName(device).constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }
    EXPECT_FALSE(QFile::exists(scratch));
}
