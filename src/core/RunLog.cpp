#include "RunLog.h"

#include "Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <stdexcept>

namespace ostrapel {

void writeRunLog(const QString& text, bool useProgramFolder, const QString& folder, bool withTime) {
    QString base = folder;
    if (base.isEmpty()) base = useProgramFolder ? executableDir() : withTrailingSlash(QDir::tempPath());
    const QString logDir = base + QStringLiteral("log/");
    if (!QDir().mkpath(logDir)) throw std::runtime_error("cannot create " + logDir.toStdString());
    const QDateTime now = QDateTime::currentDateTime();
    QFile f(logDir + QStringLiteral("log") + now.toString(QStringLiteral("yyyyMMdd")) +
            QStringLiteral(".txt"));
    if (!f.open(QIODevice::Append | QIODevice::Text))
        throw std::runtime_error("cannot write " + f.fileName().toStdString());
    QString line =
        withTime ? now.toString(QStringLiteral("hh:mm:ss.zzz")) + QStringLiteral(" : ") : QString();
    line += text + u'\n';
    f.write(line.toUtf8());
}

} // namespace ostrapel
