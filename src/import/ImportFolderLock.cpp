#include "ImportFolderLock.h"

#include "ImportCommand.h"

#include "core/OstrapelError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace ostrapel {

ImportFolderLock::ImportFolderLock(const QString& importDir,
                                   const std::function<void(const QString&)>& waiting, int waitSeconds,
                                   const std::function<bool(const QString& holder)>& takeOver, int askAfterMs)
    : lock_(lockFilePath(importDir)) {
    // An import may run for many minutes: only a lock whose process has gone
    // is stale, never one that is merely old. A lock of another workstation
    // cannot be seen to have gone: whose it is and since when is told.
    lock_.setStaleLockTime(0);
    QDir().mkpath(importDir);
    if (lock_.tryLock(0)) return;
    const QString who = holder(importDir);
    if (waiting)
        waiting(who.isEmpty() ? ImportCommandTexts::WaitingForImport
                              : ImportCommandTexts::WaitingForImport + QStringLiteral(" (") + who + u')');
    if (takeOver) {
        while (!lock_.tryLock(askAfterMs)) {
            if (takeOver(holder(importDir))) {
                lock_.removeStaleLockFile();
                if (lock_.tryLock(0)) break;
            }
        }
    } else if (waitSeconds < 0) {
        lock_.lock();
    } else if (!lock_.tryLock(waitSeconds * 1000)) {
        throw OstrapelError(
            ImportCommandTexts::ImportFolderStillHeld.arg(waitSeconds).arg(holder(importDir)));
    }
    if (waiting) waiting(QString()); // the wait is over
}

ImportFolderLock::~ImportFolderLock() = default;

QString ImportFolderLock::lockFilePath(const QString& importDir) {
    return QDir(importDir).filePath(QStringLiteral(".import.lock"));
}

QString ImportFolderLock::holder(const QString& importDir) {
    const QString path = lockFilePath(importDir);
    QLockFile file(path);
    qint64 pid = 0;
    QString host, application;
    if (!file.getLockInfo(&pid, &host, &application)) return {};
    return ImportCommandTexts::ImportFolderHolder.arg(pid).arg(host).arg(
        QFileInfo(path).lastModified().toString(QStringLiteral("dd-MM-yyyy hh:mm")));
}

} // namespace ostrapel
