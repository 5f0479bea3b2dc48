#pragma once

#include "DatabaseEngine.h"

#include <QList>
#include <QPair>
#include <QString>

namespace ostrapel {

// "Provider=SQLite;Data Source=<path>" or
// "Provider=PostgreSQL;Host=..;Port=..;Database=..;User ID=..;Password=..":
// key=value pairs separated by ";", keys without regard to case, values
// optionally in double quotes.
class ConnectionString {
public:
    static ConnectionString parse(const QString& text);
    static ConnectionString forSqliteFile(const QString& path);

    QString value(const QString& key) const;
    void setValue(const QString& key, const QString& value);
    QString provider() const { return value(QStringLiteral("Provider")); }
    QString dataSource() const { return value(QStringLiteral("Data Source")); }
    bool isPostgreSql() const;
    DatabaseEngine engine() const {
        return isPostgreSql() ? DatabaseEngine::PostgreSql : DatabaseEngine::Sqlite;
    }
    // The string with its password left out, for messages and logs.
    QString withoutPassword() const;
    QString toString() const;

private:
    QList<QPair<QString, QString>> items_;
};

} // namespace ostrapel
