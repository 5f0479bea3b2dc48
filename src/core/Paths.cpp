#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <sys/vfs.h>

namespace ostrapel {

QString withTrailingSlash(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p.endsWith(u'/') ? p : p + u'/';
}

QString networkPath(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) return path; // does not exist (yet): unchanged
    return path.endsWith(u'/') ? withTrailingSlash(canonical) : canonical;
}

QString executableDir() {
    return withTrailingSlash(networkPath(QCoreApplication::applicationDirPath()));
}

bool isOnNetworkFileSystem(const QString& path) {
    struct statfs fs {};
    if (statfs(QFile::encodeName(path).constData(), &fs) != 0) return false;
    constexpr unsigned long kNfs = 0x6969, kSmb = 0x517B, kCifs = 0xFF534D42, kSmb2 = 0xFE534D42;
    const auto type = static_cast<unsigned long>(fs.f_type);
    return type == kNfs || type == kSmb || type == kCifs || type == kSmb2;
}

} // namespace ostrapel
