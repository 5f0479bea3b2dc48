#include "SystemInformation.h"

#include "ElfNeededLibraries.h"
#include "MaintenanceQueries.h"
#include "MaintenanceTexts.h"

#include "core/DisplayFormat.h"
#include "core/Encoding.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/Settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSysInfo>
#include <link.h>

namespace ostrapel {

using namespace MaintenanceTexts;

namespace {

const QString Rule = QString(80, u'-');

// File name -> path of every shared object this process has loaded.
QHash<QString, QString> loadedLibraries() {
    QHash<QString, QString> out;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            const QString path = QString::fromLocal8Bit(info->dlpi_name);
            if (!path.isEmpty())
                static_cast<QHash<QString, QString>*>(data)->insert(QFileInfo(path).fileName(), path);
            return 0;
        },
        &out);
    return out;
}

QString sqliteVersion() {
    const QString name = QStringLiteral("ostrapel-sysinfo");
    QString version;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(MaintenanceQueries::SqliteVersion) && q.next())
                version = QStringLiteral("SQLite ") + q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return version;
}

// Total and available memory in whole megabytes, from /proc/meminfo.
std::pair<qint64, qint64> memoryMegabytes() {
    QFile file(QStringLiteral("/proc/meminfo"));
    qint64 total = 0, available = 0;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() < 2) continue;
            if (parts[0] == "MemTotal:") total = parts[1].toLongLong() / 1024;
            if (parts[0] == "MemAvailable:") available = parts[1].toLongLong() / 1024;
        }
    return {total, available};
}

} // namespace

SystemInformation::SystemInformation(const QString& infoDir)
    : libraryPathVariable(qEnvironmentVariable("LD_LIBRARY_PATH")), infoDir_(infoDir) {
    const QString driver = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/sqldrivers/");
    for (const QString& name : QDir(driver).entryList({QStringLiteral("libqsqlite*.so")}, QDir::Files))
        extraModules << driver + name;
}

QString SystemInformation::infoFilePath(const QString& programFile) const {
    return infoDir_ + QFileInfo(programFile).completeBaseName() + u'_' + SettingsStore::computerName() +
           QStringLiteral(".info");
}

QString SystemInformation::libraryVersion(const QString& path) {
    for (const QString& name : {QFileInfo(path).canonicalFilePath(), path}) {
        const QString file = QFileInfo(name).fileName();
        const qsizetype at = file.indexOf(QStringLiteral(".so."));
        if (at >= 0) return file.mid(at + 4);
    }
    return {};
}

QString SystemInformation::findLibrary(const QString& name, const QString& programFile,
                                       const QStringList& runPath) const {
    const QHash<QString, QString> loaded = loadedLibraries();
    if (const auto it = loaded.find(name); it != loaded.end() && QFileInfo(*it).isAbsolute()) return *it;
    QStringList folders{QFileInfo(programFile).absolutePath()};
    folders << runPath << libraryPathVariable.split(u':', Qt::SkipEmptyParts);
    for (const QString& arch : {QStringLiteral("x86_64-linux-gnu"), QStringLiteral("aarch64-linux-gnu")})
        folders << QStringLiteral("/lib/") + arch << QStringLiteral("/usr/lib/") + arch;
    folders << QStringLiteral("/usr/local/lib") << QStringLiteral("/lib64") << QStringLiteral("/usr/lib64")
            << QStringLiteral("/lib") << QStringLiteral("/usr/lib");
    for (const QString& folder : folders)
        if (const QString path = QDir(folder).filePath(name); QFileInfo(path).isFile()) return path;
    return {};
}

void SystemInformation::buildProgramInfo(const QString& programFile, QStringList* lines) const {
    if (!lines) throw OstrapelError(InfoListMissing);
    if (!QFileInfo(programFile).isFile()) throw OstrapelError(ProgramFileMissing);
    const QLocale locale = programLocale();
    const QDateTime now = QDateTime::currentDateTime();
    const auto [total, available] = memoryMegabytes();
    const QString os = QSysInfo::prettyProductName();
    *lines << Rule << SysInfoCaption << Rule
           << QStringLiteral("Operating system      : %1").arg(os.isEmpty() ? QStringLiteral("Onbekend") : os)
           << QStringLiteral("NT Product type       : %1").arg(ProductTypeUnknown)
           << QStringLiteral("Computernaam          : %1").arg(SettingsStore::computerName())
           << QStringLiteral("Lokale gebruikersnaam : %1").arg(SettingsStore::userName())
           << QStringLiteral("Programmafile         : %1").arg(programFile)
           << QStringLiteral("Datum                 : %1 %2")
                  .arg(locale.toString(now.date(), QLocale::ShortFormat),
                       locale.toString(now.time(), QStringLiteral("HH:mm:ss")))
           << QStringLiteral("DCOMEnabled           : Nee")
           << QStringLiteral("MDAC versie           : %1").arg(sqliteVersion());
    if (!databaseServer.isEmpty()) *lines << QStringLiteral("Databaseserver        : %1").arg(databaseServer);
    *lines << QStringLiteral("Intern geheugen       : %1 Mb").arg(locale.toString(total))
           << QStringLiteral("Vrij intern geheugen  : %1 Mb").arg(locale.toString(available));

    const ElfNeededLibraries program(programFile);
    QStringList names = program.names();
    for (const QString& module : extraModules)
        for (const QString& name : ElfNeededLibraries(module).names())
            if (!names.contains(name)) names << name;
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& name : names) {
        const QString path = findLibrary(name, programFile, program.runPath());
        if (path.isEmpty()) {
            *lines << Rule << FileNotFound + name << Rule;
            continue;
        }
        *lines << Rule << QStringLiteral("Imports: ") + path << Rule;
        const QString version = libraryVersion(path);
        if (version.isEmpty()) continue;
        *lines << QStringLiteral("OriginalFilename=") +
                      QFileInfo(QFileInfo(path).canonicalFilePath()).fileName()
               << QStringLiteral("FileVersion=") + version;
    }
}

QString SystemInformation::writeProgramInfo(const QString& programFile) const {
    QStringList lines;
    buildProgramInfo(programFile, &lines);
    const QString path = infoFilePath(programFile);
    QDir().mkpath(infoDir_);
    FileWriter::writeFile(path, encodeCp1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return path;
}

} // namespace ostrapel
