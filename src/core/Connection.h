#pragma once

#include "ConnectionString.h"
#include "JetDialect.h"
#include "SqlStatement.h"

#include <QHash>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariantMap>
#include <memory>

namespace ostrapel {

class DataSet;
class FieldDescriber;

// The program's one database connection. Statements are written in Jet SQL and
// rewritten for the engine; prepared statements are kept for reuse.
class Connection {
public:
    // The user version of an SQLite database whose indexes follow the text
    // order of TextOrder.h.
    static constexpr int kTextOrderVersion = 1;

    explicit Connection(const QString& name = QStringLiteral("ostrapel"));
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the database named by the connection string; throws DatabaseError.
    // An SQLite file is opened read-write and never created; a PostgreSQL
    // database without a password in the string takes it from ~/.pgpass.
    void open(const QString& connectionString);
    void close();
    bool isOpen() const;
    QString connectionString() const { return connectionString_; }

    QStringList tableNames() const { return tableNames_; }
    bool hasTable(const QString& name) const;
    QStringList columnNames(const QString& table) const;
    // Read from the engine's catalogue each time, without regard to case.
    // Throws DatabaseError.
    bool hasIndex(const QString& name) const;

    // A statement prepared once per SQL text and kept; its bound values persist.
    SqlStatement& prepare(const QString& jetSql);
    // A statement of its own, for a caller that needs two cursors of one text.
    std::unique_ptr<SqlStatement> prepareNew(const QString& jetSql);

    int execute(const QString& jetSql, const QVariantMap& params = {});
    DataSet query(const QString& jetSql, const QVariantMap& params = {},
                  const FieldDescriber* describer = nullptr);
    QVariant scalar(const QString& jetSql, const QVariantMap& params = {});

    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }

    const JetDialect& dialect() const { return dialect_; }
    DatabaseEngine engine() const { return dialect_.engine(); }
    bool isPostgreSql() const { return engine() == DatabaseEngine::PostgreSql; }
    // A PostgreSQL server that stores UTF-8, read once at opening: only there
    // can texts be decomposed to sort by their base letters.
    bool serverIsUtf8() const { return serverIsUtf8_; }
    QSqlDatabase database() const;

private:
    void openSqlite(const ConnectionString& cs);
    void openPostgreSql(const ConnectionString& cs);
    void reindexForTextOrder();
    void readSchema();
    void readPostgreSqlSchema();
    void finishAll();

    QString name_;
    QString connectionString_;
    QStringList tableNames_;
    QHash<QString, QStringList> columns_; // lower-case table -> column names
    JetDialect dialect_;
    QHash<QString, std::shared_ptr<SqlStatement>> statements_;
    bool inTransaction_ = false;
    bool serverIsUtf8_ = false;
};

// Rolls back unless committed; for work that must be written whole or not at all.
} // namespace ostrapel
