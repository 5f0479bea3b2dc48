#include "FileWriter.h"

#include "OstrapelError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace ostrapel {

using namespace FileWriterTexts;

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Flushes a file's data to the disk; false when the system reports a failure.
bool syncPath(const QString& path, bool folder) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), (folder ? O_RDONLY | O_DIRECTORY : O_RDWR) | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || (folder && errno == EINVAL);
    ::close(fd);
    return ok;
}

} // namespace

void FileWriter::refuseUnlessRegular(const QString& path) {
    const QFileInfo info(path);
    // a dangling link counts as something that is there: writing would create its target
    if ((info.exists() && !info.isFile()) || (info.isSymLink() && !info.exists()))
        throw OstrapelError(NotARegularFile.arg(shown(path)));
}

FileWriter::FileWriter(const QString& path) : path_(path), file_(path) {
    refuseUnlessRegular(path);
    if (!file_.open(QIODevice::WriteOnly)) fail();
}

FileWriter::~FileWriter() {
    if (file_.isOpen()) file_.cancelWriting();
}

void FileWriter::fail() {
    const QString why = file_.errorString();
    if (file_.isOpen()) file_.cancelWriting();
    throw OstrapelError(why.isEmpty() ? NotWritten.arg(shown(path_))
                                      : NotWrittenBecause.arg(shown(path_), why));
}

void FileWriter::write(QByteArrayView bytes) {
    if (file_.write(bytes.data(), bytes.size()) != bytes.size()) fail();
}

void FileWriter::commit() {
    // The target may have turned into something else while the file was written.
    refuseUnlessRegular(path_);
    // QSaveFile's commit does not see a failure of its last buffered write.
    if (!file_.flush() || file_.error() != QFileDevice::NoError) fail();
    if (!file_.commit()) fail();
    syncPath(QFileInfo(path_).absolutePath(), true);
}

void FileWriter::cancel() {
    if (file_.isOpen()) file_.cancelWriting();
}

void FileWriter::writeFile(const QString& path, QByteArrayView bytes) {
    FileWriter writer(path);
    writer.write(bytes);
    writer.commit();
}

void FileWriter::copyFile(const QString& source, const QString& target) {
    refuseUnlessRegular(target);
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        throw OstrapelError(NotWrittenBecause.arg(shown(target), from.errorString()));
    FileWriter writer(target);
    QByteArray block;
    while (!from.atEnd()) {
        block = from.read(1 << 20);
        if (block.isEmpty() && from.error() != QFileDevice::NoError)
            throw OstrapelError(NotWrittenBecause.arg(shown(target), from.errorString()));
        writer.write(block);
    }
    writer.commit();
}

void FileWriter::placeFile(const QString& finished, const QString& target, QByteArrayView ending) {
    struct Remove {
        const QString& path;
        ~Remove() { QFile::remove(path); }
    } remove{finished};
    refuseUnlessRegular(target);
    if (!ending.isEmpty()) {
        QFile file(finished);
        const qint64 tail = ending.size() + 2; // a line end may follow
        if (!file.open(QIODevice::ReadOnly) || !file.seek(std::max<qint64>(0, file.size() - tail)) ||
            !file.read(tail).contains(ending))
            throw OstrapelError(NotWritten.arg(shown(target)));
    }
    if (!syncPath(finished, false)) throw OstrapelError(NotWritten.arg(shown(target)));
    if (::rename(QFile::encodeName(finished).constData(), QFile::encodeName(target).constData()) == 0) {
        syncPath(QFileInfo(target).absolutePath(), true);
        return;
    }
    if (errno != EXDEV)
        throw OstrapelError(
            NotWrittenBecause.arg(shown(target), QString::fromLocal8Bit(std::strerror(errno))));
    copyFile(finished, target); // another file system
}

} // namespace ostrapel
