#pragma once

#include <QLockFile>
#include <QString>
#include <functional>

namespace ostrapel {

// Holds the Import folder for one import: every import empties that folder,
// so two at once (two workstations, or the command line beside the program)
// would delete each other's unpacked files. A second import waits here,
// after telling so (and whose lock it is, since when) through `waiting`; an
// empty text there ends the wait. With `waitSeconds` given, a wait longer than
// that throws OstrapelError naming the holder.
class ImportFolderLock {
public:
    // `takeOver`, when given, is asked every `askAfterMs` of waiting whether to
    // take the folder from its holder (a workstation that crashed); yes removes
    // the holder's lock.
    ImportFolderLock(const QString& importDir, const std::function<void(const QString&)>& waiting,
                     int waitSeconds = -1, const std::function<bool(const QString& holder)>& takeOver = {},
                     int askAfterMs = 60000);
    ~ImportFolderLock();
    ImportFolderLock(const ImportFolderLock&) = delete;
    ImportFolderLock& operator=(const ImportFolderLock&) = delete;

    bool isLocked() const { return lock_.isLocked(); }

    static QString lockFilePath(const QString& importDir);
    // "proces 123 op werkstation-7, sinds 11-12-2026 06:40", or empty when nobody holds the folder.
    static QString holder(const QString& importDir);

private:
    QLockFile lock_;
};

} // namespace ostrapel
