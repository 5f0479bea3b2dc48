#include "PrivateFiles.h"

#include <QFile>
#include <sys/stat.h>

namespace ostrapel {

void keepNewFilesPrivate() {
    ::umask(S_IRWXO);
}

void withdrawOthersAccess(const QString& path) {
    const QFile::Permissions others = QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions p = QFile::permissions(path);
    if (p & others) QFile::setPermissions(path, p & ~others);
}

} // namespace ostrapel
