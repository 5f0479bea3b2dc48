#include "ImportFolderLock.h"

#include "ImportCommand.h"

#include <QDir>

namespace ostrapel {

ImportFolderLock::ImportFolderLock(const QString& importDir,
                                   const std::function<void(const QString&)>& waiting)
    : lock_(lockFilePath(importDir)) {
    // An import may run for many minutes: only a lock whose process has gone
    // is stale, never one that is merely old.
    lock_.setStaleLockTime(0);
    QDir().mkpath(importDir);
    if (lock_.tryLock(0)) return;
    if (waiting) waiting(ImportCommandTexts::WaitingForImport);
    lock_.lock();
    if (waiting) waiting(QString()); // the wait is over
}

ImportFolderLock::~ImportFolderLock() = default;

QString ImportFolderLock::lockFilePath(const QString& importDir) {
    return QDir(importDir).filePath(QStringLiteral(".import.lock"));
}

} // namespace ostrapel
