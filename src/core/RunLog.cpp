#include "RunLog.h"

#include "Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace ostrapel {

namespace {

[[noreturn]] void cannot(const char* what, const QString& path) {
    throw std::runtime_error(std::string(what) + ' ' + path.toStdString());
}

// A folder of this user's only; made with mode 0700 when missing.
void ensurePrivateFolder(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) cannot("cannot create", path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        cannot("not a folder of this user:", path);
    if ((st.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0) cannot("cannot protect", path);
}

} // namespace

QString privateTempFolder() {
    const QString folder =
        withTrailingSlash(QDir::tempPath()) + QStringLiteral("ostrapel-%1").arg(::geteuid());
    ensurePrivateFolder(folder);
    return folder + u'/';
}

void writeRunLog(const QString& text, bool useProgramFolder, const QString& folder, bool withTime) {
    QString base = folder;
    if (base.isEmpty()) base = useProgramFolder ? executableDir() : privateTempFolder();
    const QString logDir = base + QStringLiteral("log/");
    if (!QDir().mkpath(logDir)) cannot("cannot create", logDir);
    const QDateTime now = QDateTime::currentDateTime();
    const QString path =
        logDir + QStringLiteral("log") + now.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt");
    // A link planted in the file's place is not followed, nor a pipe waited on.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) cannot("cannot write", path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        cannot("not a regular file:", path);
    }
    QString line =
        withTime ? now.toString(QStringLiteral("hh:mm:ss.zzz")) + QStringLiteral(" : ") : QString();
    line += text + u'\n';
    const QByteArray bytes = line.toUtf8();
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    if (!written) cannot("cannot write", path);
}

} // namespace ostrapel
