#pragma once

#include "JetDialect.h"

#include <QSqlQuery>
#include <QVariant>
#include <QVariantMap>
#include <QVector>

namespace ostrapel {

// A prepared statement with named parameters. Values are bound by name (without
// regard to case) and stay bound until changed, so a statement prepared once
// can be executed again with new values.
class SqlStatement {
public:
    SqlStatement(QSqlQuery query, TranslatedSql translated, QString jetSql);
    // A statement run as text at each exec(), for engines that cannot prepare it
    // (PostgreSQL prepares no DDL).
    static SqlStatement unprepared(QSqlQuery query, TranslatedSql translated, QString jetSql);

    void bind(const QString& name, const QVariant& value);
    void bind(const QVariantMap& values);
    void bindAt(int position, const QVariant& value); // by placeholder position
    int parameterCount() const { return int(translated_.parameterNames.size()); }
    const QStringList& parameterNames() const { return translated_.parameterNames; }

    // Executes the statement; throws DatabaseError. A select can then be read
    // with next()/value(); finish() releases its cursor.
    void exec();
    int numRowsAffected() const { return query_.numRowsAffected(); }
    bool next() { return query_.next(); }
    QVariant value(int column) const { return query_.value(column); }
    void finish() { query_.finish(); }

    QSqlQuery& query() { return query_; }
    const QString& jetSql() const { return jetSql_; }
    const QString& engineSql() const { return translated_.sql; }

private:
    QSqlQuery query_;
    TranslatedSql translated_;
    QString jetSql_;
    QVector<QVariant> values_;
    bool prepared_ = true;
};

} // namespace ostrapel
