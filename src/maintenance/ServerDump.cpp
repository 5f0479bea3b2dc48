#include "ServerDump.h"

#include "MaintenanceError.h"

#include "core/ConnectionString.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QVersionNumber>

namespace ostrapel {

namespace {

const QString NotInstalled = QStringLiteral(
    "pg_dump is niet geïnstalleerd; er is geen backup van de database op de server gemaakt.\r\n"
    "Installeer het pakket postgresql-client.");
const QString DumpFailed = QStringLiteral("pg_dump kon geen backup van de database maken:\r\n%1");

} // namespace

QString ServerDump::pgDumpProgram() {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
    if (!onPath.isEmpty()) return onPath;
    QString best;
    QVersionNumber bestVersion;
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    for (const QString& v : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString candidate = versions.filePath(v + QStringLiteral("/bin/pg_dump"));
        const QVersionNumber number = QVersionNumber::fromString(v);
        if (QFile::exists(candidate) && (best.isEmpty() || number > bestVersion)) {
            best = candidate;
            bestVersion = number;
        }
    }
    return best;
}

QString ServerDump::backupsFolder(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("db/backups"));
}

QString ServerDump::dump(const QString& connectionString, const QString& folder, const QString& program) {
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        throw MaintenanceError(MaintenanceError::Kind::Backup, NotInstalled);
    const ConnectionString cs = ConnectionString::parse(connectionString);
    const QString database = cs.value(QStringLiteral("Database"));
    if (!QDir().mkpath(folder))
        throw MaintenanceError(
            MaintenanceError::Kind::Backup,
            DumpFailed.arg(QStringLiteral("de map \"%1\" kon niet worden gemaakt").arg(folder)));
    const QString target = QDir(folder).filePath(
        QStringLiteral("%1-%2.dump")
            .arg(database, QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    const QString partial = target + QStringLiteral(".part");

    QStringList args{QStringLiteral("--format=custom"), QStringLiteral("--no-password"),
                     QStringLiteral("--file=") + partial};
    if (const QString host = cs.value(QStringLiteral("Host")); !host.isEmpty())
        args << QStringLiteral("--host=") + host;
    if (const QString port = cs.value(QStringLiteral("Port")); !port.isEmpty())
        args << QStringLiteral("--port=") + port;
    if (const QString user = cs.value(QStringLiteral("User ID")); !user.isEmpty())
        args << QStringLiteral("--username=") + user;
    args << QStringLiteral("--dbname=") + database;

    QProcess pgDump;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // without one in the string, libpq reads ~/.pgpass
    if (const QString password = cs.value(QStringLiteral("Password")); !password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), password);
    pgDump.setProcessEnvironment(env);
    pgDump.start(program, args);
    const bool finished = pgDump.waitForStarted() && pgDump.waitForFinished(-1);
    if (!finished || pgDump.exitStatus() != QProcess::NormalExit || pgDump.exitCode() != 0) {
        QFile::remove(partial);
        QString why = QString::fromLocal8Bit(pgDump.readAllStandardError()).trimmed();
        if (why.isEmpty()) why = pgDump.errorString();
        throw MaintenanceError(MaintenanceError::Kind::Backup, DumpFailed.arg(why));
    }
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw MaintenanceError(
            MaintenanceError::Kind::Backup,
            DumpFailed.arg(QStringLiteral("\"%1\" kon niet worden geschreven").arg(target)));
    }
    return target;
}

} // namespace ostrapel
