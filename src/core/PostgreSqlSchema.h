#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// The delivered database's SQL (written for SQLite, the one source of the
// schema) in PostgreSQL's form: names quoted as spelled, case-insensitive texts
// as citext, dates as date, SQLite's pragmas left out.
QStringList postgreSqlStatements(const QString& sqliteScript);

// The statements that build the delivered database on a PostgreSQL server,
// from the schema and catalogue compiled into the program.
QStringList deliveredPostgreSqlStatements();

// Builds the delivered database in the (empty) PostgreSQL database the
// connection string names, in one transaction; throws DatabaseError, also when
// the database holds tables already.
void createDeliveredPostgreSqlDatabase(const QString& connectionString);

} // namespace ostrapel
