#pragma once

#include "DatabaseEngine.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace ostrapel {

// A statement ready for the engine: SQL with positional placeholders and the
// parameter name of each placeholder, in order (a name may occur twice).
struct TranslatedSql {
    QString sql;
    QStringList parameterNames;
};

// Columns the dialect adds for sorting only; a data set does not show them.
inline const QString SortOnlyColumnPrefix = QStringLiteral("ostrapel_sort_");

// Rewrites the program's Jet SQL for SQLite or PostgreSQL. The SQL in the code
// stays as the Jet text; this is the one place that knows how the engines differ.
class JetDialect {
public:
    explicit JetDialect(DatabaseEngine engine = DatabaseEngine::Sqlite) : engine_(engine) {}

    DatabaseEngine engine() const { return engine_; }
    void setEngine(DatabaseEngine engine) { engine_ = engine; }

    // Columns of the schema: text columns decide whether "+" joins texts, and
    // real column names are never taken for reused select-list aliases.
    void setSchemaColumns(const QSet<QString>& textColumns, const QSet<QString>& allColumns);
    // Table names as the schema spells them; PostgreSQL needs them quoted. The
    // columns of each tell what "table.*" selects.
    void setSchemaTables(const QStringList& tables, const QHash<QString, QStringList>& columns = {});

    TranslatedSql translate(const QString& jetSql) const;

private:
    bool isTextColumn(const QString& name) const;
    bool isColumn(const QString& name) const;

    DatabaseEngine engine_;
    QSet<QString> textColumns_;                // lower case
    QSet<QString> allColumns_;                 // lower case
    QHash<QString, QString> canonicalNames_;   // lower case -> as the schema spells it
    QHash<QString, QStringList> tableColumns_; // lower-case table -> its columns
};

} // namespace ostrapel
