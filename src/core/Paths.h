#pragma once

#include <QString>

namespace ostrapel {

// Folders the program derives from its own location. On this platform the
// network form of a folder is its canonical absolute path.
QString networkPath(const QString& path);
// The folder of the running executable, canonical, with a trailing "/".
QString executableDir();
// A path with exactly one trailing "/".
QString withTrailingSlash(const QString& path);
// True when the folder lies on a network file system (NFS, SMB/CIFS).
bool isOnNetworkFileSystem(const QString& path);

} // namespace ostrapel
