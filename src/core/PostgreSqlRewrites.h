#pragma once

#include "SqlTokenizer.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

namespace ostrapel {

// What the PostgreSQL rewriting knows of the schema.
struct PostgreSqlSchemaNames {
    QHash<QString, QString> canonical;        // lower-case name -> as the schema spells it
    QHash<QString, QStringList> tableColumns; // lower-case table -> its columns
    std::function<bool(const QString&)> isTextColumn;
};

// The rewrites that make SQLite-ready Jet SQL run on PostgreSQL with the same
// results: CASE for iif, named subqueries, numbers for texts in arithmetic,
// round on numeric, text comparisons for text columns, ties ordered as SQLite
// lists them, and every name of the schema quoted as spelled.
void rewriteForPostgreSql(SqlTokens& t, const PostgreSqlSchemaNames& schema);

} // namespace ostrapel
