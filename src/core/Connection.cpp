#include "Connection.h"

#include "DataSet.h"
#include "DatabaseError.h"
#include "EngineError.h"
#include "OneStatement.h"
#include "PrivateFiles.h"
#include "SqliteHandle.h"
#include "SqliteTextFunctions.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

Q_LOGGING_CATEGORY(lcSql, "ostrapel.sql", QtWarningMsg)

namespace ostrapel {

Connection::Connection(const QString& name) : name_(name) {}

Connection::~Connection() {
    close();
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(name_, false);
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(name_) && database().isOpen();
}

void Connection::open(const QString& connectionString) {
    close();
    const ConnectionString cs = ConnectionString::parse(connectionString);
    if (cs.isPostgreSql())
        openPostgreSql(cs);
    else if (cs.provider().compare(QStringLiteral("SQLite"), Qt::CaseInsensitive) == 0)
        openSqlite(cs);
    else
        throw DatabaseError(
            QStringLiteral("Onbekende database-provider \"%1\" in de connectie-string \"%2\".")
                .arg(cs.provider(), cs.withoutPassword()));
    connectionString_ = connectionString;
    try {
        readSchema();
    } catch (...) {
        close();
        throw;
    }
}

namespace {

[[noreturn]] void failOpen(const QString& connectionName, const QString& what) {
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        error = db.lastError().text();
    }
    QSqlDatabase::removeDatabase(connectionName);
    throw DatabaseError(QStringLiteral("De database \"%1\" kon niet worden geopend: %2").arg(what, error));
}

} // namespace

void Connection::openSqlite(const ConnectionString& cs) {
    const QString path = cs.dataSource();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("Het databasebestand \"%1\" bestaat niet.").arg(path));
    // delivered or copied readable by everyone; its journal files take its mode
    withdrawOthersAccess(path);
    dialect_.setEngine(DatabaseEngine::Sqlite);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    // mode=rw: open an existing file only, never create one
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000"));
    const bool opened = db.open();
    db = QSqlDatabase();
    if (!opened) failOpen(name_, path);
    registerTextFunctions(sqliteHandle(database()));
    reindexForTextOrder();
}

void Connection::reindexForTextOrder() {
    // Indexes written before the text order folded every letter may hold
    // accented texts out of that order: they are rebuilt once, and the
    // database remembers it in its user version.
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next() ||
        q.value(0).toInt() >= kTextOrderVersion)
        return;
    q.finish();
    if (!q.exec(QStringLiteral("REINDEX NOCASE")) ||
        !q.exec(QStringLiteral("PRAGMA user_version = %1").arg(kTextOrderVersion)))
        qCWarning(lcSql).noquote() << "REINDEX NOCASE:" << q.lastError().text();
}

void Connection::openPostgreSql(const ConnectionString& cs) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw DatabaseError(QStringLiteral("De PostgreSQL-driver van Qt (QPSQL) is niet geïnstalleerd."));
    dialect_.setEngine(DatabaseEngine::PostgreSql);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
    db.setHostName(cs.value(QStringLiteral("Host")));
    const int port = cs.value(QStringLiteral("Port")).toInt();
    if (port > 0) db.setPort(port);
    db.setDatabaseName(cs.value(QStringLiteral("Database")));
    db.setUserName(cs.value(QStringLiteral("User ID")));
    // Empty: libpq looks in ~/.pgpass
    db.setPassword(cs.value(QStringLiteral("Password")));
    db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=Ostrapel"));
    const bool opened = db.open();
    db = QSqlDatabase();
    if (!opened)
        failOpen(name_, QStringLiteral("%1 op %2")
                            .arg(cs.value(QStringLiteral("Database")), cs.value(QStringLiteral("Host"))));
    QSqlQuery quiet(database());
    quiet.exec(QStringLiteral("SET client_min_messages = warning"));
    // Texts written into statements only double their quotes; a backslash must
    // stay an ordinary character whatever the server's default, or a quote
    // after one would end the text early.
    if (!quiet.exec(QStringLiteral("SET standard_conforming_strings = on"))) {
        const QString error = quiet.lastError().text();
        quiet = QSqlQuery();
        close();
        throw DatabaseError(
            QStringLiteral("De database \"%1 op %2\" kon niet worden geopend: %3")
                .arg(cs.value(QStringLiteral("Database")), cs.value(QStringLiteral("Host")), error));
    }
    serverIsUtf8_ =
        quiet.exec(QStringLiteral("SELECT 1 WHERE current_setting('server_encoding') = 'UTF8'")) &&
        quiet.next();
}

void Connection::close() {
    serverIsUtf8_ = false;
    statements_.clear();
    tableNames_.clear();
    columns_.clear();
    inTransaction_ = false;
    if (!QSqlDatabase::contains(name_)) return;
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

void Connection::readSchema() {
    if (isPostgreSql()) {
        readPostgreSqlSchema();
        return;
    }
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("select name from sqlite_master where type = 'table' "
                               "and name not like 'sqlite\\_%' escape '\\' order by name")))
        throw DatabaseError(QStringLiteral("De tabellen van de database konden niet worden gelezen: %1")
                                .arg(q.lastError().text()));
    while (q.next())
        tableNames_ << q.value(0).toString();
    q.finish();

    QSet<QString> text, all;
    for (const QString& table : std::as_const(tableNames_)) {
        QSqlQuery info(database());
        const QString quotedName = QString(table).replace(u'"', QStringLiteral("\"\""));
        if (!info.exec(QStringLiteral("pragma table_info(\"%1\")").arg(quotedName)))
            throw DatabaseError(QStringLiteral("De tabellen van de database konden niet worden gelezen: %1")
                                    .arg(info.lastError().text()));
        QStringList names;
        while (info.next()) {
            const QString column = info.value(1).toString();
            const QString type = info.value(2).toString().toUpper();
            names << column;
            all.insert(column);
            if (type.contains(QStringLiteral("TEXT")) || type.contains(QStringLiteral("CHAR")))
                text.insert(column);
        }
        columns_.insert(table.toLower(), names);
    }
    dialect_.setSchemaColumns(text, all);
}

void Connection::readPostgreSqlSchema() {
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral(
            "select c.table_name, c.column_name, c.data_type, c.udt_name from information_schema.columns c "
            "join information_schema.tables t on t.table_schema = c.table_schema and t.table_name = "
            "c.table_name "
            "where c.table_schema = current_schema() and t.table_type = 'BASE TABLE' "
            "order by c.table_name, c.ordinal_position")))
        throw DatabaseError(QStringLiteral("De tabellen van de database konden niet worden gelezen: %1")
                                .arg(q.lastError().text()));
    QSet<QString> text, all;
    while (q.next()) {
        const QString table = q.value(0).toString();
        const QString column = q.value(1).toString();
        const QString type = q.value(2).toString();
        if (!tableNames_.contains(table)) tableNames_ << table;
        columns_[table.toLower()] << column;
        all.insert(column);
        if (type == u"text" || type.startsWith(u"character") || q.value(3).toString() == u"citext")
            text.insert(column);
    }
    tableNames_.sort(); // as SQLite lists them: by code point
    dialect_.setSchemaColumns(text, all);
    dialect_.setSchemaTables(tableNames_, columns_);
}

bool Connection::hasTable(const QString& name) const {
    return tableNames_.contains(name, Qt::CaseInsensitive);
}

bool Connection::hasIndex(const QString& name) const {
    QSqlQuery q(database());
    q.setForwardOnly(true);
    // A server creates unquoted names in lower case.
    const QString sql = isPostgreSql()
                            ? QStringLiteral("select count(*) from pg_indexes "
                                             "where schemaname = current_schema() and indexname = lower(?)")
                            : QStringLiteral("select count(*) from sqlite_master "
                                             "where type = 'index' and name = ? collate nocase");
    if (!q.prepare(sql) || (q.addBindValue(name), !q.exec()) || !q.next())
        throwEngineError(q.lastError(), sql);
    return q.value(0).toInt() > 0;
}

QStringList Connection::columnNames(const QString& table) const {
    return columns_.value(table.toLower());
}

std::unique_ptr<SqlStatement> Connection::prepareNew(const QString& jetSql) {
    if (!isOpen()) throw DatabaseError(QStringLiteral("Er is geen verbinding met de database."));
    TranslatedSql translated = dialect_.translate(jetSql);
    qCDebug(lcSql).noquote() << translated.sql;
    ensureOneStatement(database(), translated.sql);
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (isPostgreSql() && translated.parameterNames.isEmpty())
        return std::make_unique<SqlStatement>(
            SqlStatement::unprepared(std::move(q), std::move(translated), jetSql));
    if (!q.prepare(translated.sql)) throwEngineError(q.lastError(), jetSql);
    return std::make_unique<SqlStatement>(std::move(q), std::move(translated), jetSql);
}

SqlStatement& Connection::prepare(const QString& jetSql) {
    auto it = statements_.find(jetSql);
    if (it == statements_.end())
        it = statements_.insert(jetSql, std::shared_ptr<SqlStatement>(prepareNew(jetSql)));
    return *it.value();
}

int Connection::execute(const QString& jetSql, const QVariantMap& params) {
    SqlStatement& s = prepare(jetSql);
    s.bind(params);
    s.exec();
    const int affected = s.numRowsAffected();
    s.finish();
    return affected;
}

DataSet Connection::query(const QString& jetSql, const QVariantMap& params, const FieldDescriber* describer) {
    SqlStatement& s = prepare(jetSql);
    s.bind(params);
    s.exec();
    DataSet ds(describer);
    ds.load(s.query());
    s.finish();
    return ds;
}

QVariant Connection::scalar(const QString& jetSql, const QVariantMap& params) {
    SqlStatement& s = prepare(jetSql);
    s.bind(params);
    s.exec();
    QVariant v = s.next() ? s.value(0) : QVariant();
    s.finish();
    return v;
}

void Connection::finishAll() {
    for (auto& s : statements_)
        s->finish();
}

void Connection::beginTransaction() {
    // Immediate: the write lock is taken (or waited for) at the start. A
    // deferred transaction that has read cannot upgrade while another writes
    // and fails at once with "database is locked".
    QSqlQuery begin(database());
    if (!begin.exec(isPostgreSql() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE")))
        throw DatabaseError(QStringLiteral("Databasefout: %1").arg(begin.lastError().text()));
    inTransaction_ = true;
}

void Connection::commit() {
    finishAll();
    if (!database().commit())
        throw DatabaseError(QStringLiteral("Databasefout: %1").arg(database().lastError().text()));
    inTransaction_ = false;
}

void Connection::rollback() {
    finishAll();
    inTransaction_ = false;
    if (!database().rollback())
        throw DatabaseError(QStringLiteral("Databasefout: %1").arg(database().lastError().text()));
}

} // namespace ostrapel
