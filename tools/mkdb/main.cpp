// Creates the delivered database from the SQL files in db/.
// Usage: ostrapel-mkdb OUTPUT.db SCRIPT.sql...
#include "core/SqlScript.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <cstdio>

namespace {

bool runScripts(QSqlDatabase& db, const QStringList& scripts, QString* error) {
    QSqlQuery q(db);
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    for (const QString& path : scripts) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(path);
            return false;
        }
        const QString script = QString::fromUtf8(f.readAll());
        for (const QString& statement : ostrapel::splitSqlScript(script)) {
            if (!q.exec(statement)) {
                *error = QStringLiteral("%1: %2\n%3").arg(path, q.lastError().text(), statement);
                return false;
            }
        }
    }
    return db.commit();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: ostrapel-mkdb OUTPUT.db SCRIPT.sql...\n");
        return 2;
    }
    const QString output = args.takeFirst();
    // Build under a temporary name, so a failed run never leaves half a database.
    const QString temp = output + QStringLiteral(".tmp");
    QFile::remove(temp);
    QString error;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mkdb"));
        db.setDatabaseName(temp);
        ok = db.open() && runScripts(db, args, &error);
        if (!ok && error.isEmpty()) error = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mkdb"));
    if (!ok) {
        QFile::remove(temp);
        std::fprintf(stderr, "ostrapel-mkdb: %s\n", qPrintable(error));
        return 1;
    }
    QFile::remove(output);
    if (!QFile::rename(temp, output)) {
        std::fprintf(stderr, "ostrapel-mkdb: cannot rename %s\n", qPrintable(temp));
        return 1;
    }
    return 0;
}
