#include "OneStatement.h"

#include "DatabaseError.h"
#include "EngineError.h"
#include "SqlTokenizer.h"

#include <QSqlDriver>
#include <QVariant>
#include <libpq-fe.h>
#include <memory>

namespace ostrapel {

namespace {

// The libpq connection behind Qt's PostgreSQL driver.
PGconn* postgreSqlConnection(const QSqlDatabase& database) {
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    // Qt names the type by its typedef or by the struct behind it, depending on the version
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

// The placeholders as the server numbers them.
QString numberedPlaceholders(const QString& sql) {
    SqlTokens tokens = tokenizeSql(sql);
    int n = 0;
    for (SqlToken& t : tokens)
        if (t.isSymbol(u"?")) t.text = u'$' + QString::number(++n);
    return joinSqlTokens(tokens);
}

} // namespace

void ensureOneStatement(const QSqlDatabase& database, const QString& engineSql) {
    if (!database.driver() || database.driver()->dbmsType() != QSqlDriver::PostgreSQL) return;
    PGconn* conn = postgreSqlConnection(database);
    if (!conn || PQstatus(conn) != CONNECTION_OK)
        throw DatabaseError(QStringLiteral("Databasefout: de opdracht kan niet aan de server worden "
                                           "voorgelegd."));
    // The unnamed statement: parsed and checked, never run.
    const std::unique_ptr<PGresult, decltype(&PQclear)> result(
        PQprepare(conn, "", numberedPlaceholders(engineSql).toUtf8().constData(), 0, nullptr), &PQclear);
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
        throwEngineError(QString::fromUtf8(PQresultErrorMessage(result.get())), engineSql);
}

} // namespace ostrapel
