#include "PgpassFile.h"

#include "ConnectionString.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace ostrapel {

namespace {

QString escaped(QString field) {
    return field.replace(u'\\', QStringLiteral("\\\\")).replace(u':', QStringLiteral("\\:"));
}

const QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

} // namespace

QString PgpassFile::defaultPath() {
    const QString configured = qEnvironmentVariable("PGPASSFILE");
    return configured.isEmpty() ? QDir::homePath() + QStringLiteral("/.pgpass") : configured;
}

bool PgpassFile::store(const ConnectionString& connection, const QString& password) const {
    const QString host = connection.value(QStringLiteral("Host"));
    const QString port = connection.value(QStringLiteral("Port"));
    const QString key = QStringList{escaped(host.isEmpty() ? QStringLiteral("localhost") : host),
                                    escaped(port.isEmpty() ? QStringLiteral("5432") : port),
                                    escaped(connection.value(QStringLiteral("Database"))),
                                    escaped(connection.value(QStringLiteral("User ID")))}
                            .join(u':') +
                        u':';
    QByteArray text;
    QFile old(path_);
    if (old.open(QIODevice::ReadOnly))
        for (const QByteArray& line : old.readAll().split('\n'))
            if (!line.isEmpty() && !line.startsWith(key.toUtf8())) text += line + '\n';
    text += (key + escaped(password)).toUtf8() + '\n';
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(kOwnerOnly) ||
        file.write(text) != text.size() || !file.commit())
        return false;
    // libpq ignores the file unless only its owner may read it
    return QFile::setPermissions(path_, kOwnerOnly);
}

} // namespace ostrapel
