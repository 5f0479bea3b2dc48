#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

namespace ostrapel::test {

// Saves a picture of a window when OSTRAPEL_SCREENSHOT_DIR names a folder, so a
// developer can look at what the user sees.
inline void saveScreenshot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("OSTRAPEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    w->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace ostrapel::test
