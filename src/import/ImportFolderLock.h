#pragma once

#include <QLockFile>
#include <QString>
#include <functional>

namespace ostrapel {

// Holds the Import folder for one import: every import empties that folder,
// so two at once (two workstations, or the command line beside the program)
// would delete each other's unpacked files. A second import waits here,
// after telling so through `waiting`; an empty text there ends the wait.
class ImportFolderLock {
public:
    ImportFolderLock(const QString& importDir, const std::function<void(const QString&)>& waiting);
    ~ImportFolderLock();
    ImportFolderLock(const ImportFolderLock&) = delete;
    ImportFolderLock& operator=(const ImportFolderLock&) = delete;

    bool isLocked() const { return lock_.isLocked(); }

    static QString lockFilePath(const QString& importDir);

private:
    QLockFile lock_;
};

} // namespace ostrapel
