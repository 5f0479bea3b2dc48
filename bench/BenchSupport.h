#pragma once

#include "core/Desktop.h"
#include "core/Prompts.h"

#include <QFile>
#include <QTemporaryDir>

namespace ostrapel::bench {

// Prompts that answer everything with OK and show nothing.
class QuietPrompts : public Prompts {
public:
    MsgButton message(MsgType, const QString&, MsgButtons) override { return MsgButton::Ok; }
    std::optional<ConnectionEdit> editConnectionString(const QString&, bool) override { return std::nullopt; }
    QStringList openFileNames(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

// A desktop with no program for anything.
class NoDesktop : public Desktop {
public:
    bool openUrl(const QUrl&) override { return false; }
};

// A writable copy of a database file (by default the delivered one) in `dir`.
inline QString CopyDatabase(const QTemporaryDir& dir, const QString& name,
                            const QString& source = QStringLiteral(OSTRAPEL_DELIVERED_DB)) {
    const QString path = dir.filePath(name);
    QFile::copy(source, path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return path;
}

} // namespace ostrapel::bench
