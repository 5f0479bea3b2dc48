#pragma once

#include "core/Desktop.h"
#include "core/Prompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace ostrapel::bench {

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The machine's load average over 1, 5 and 15 minutes, as the figures' context.
inline QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(u' ', 0, 2) : QString();
}

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
