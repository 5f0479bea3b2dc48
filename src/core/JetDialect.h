#pragma once

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

// Rewrites the program's Jet SQL for SQLite. The SQL in the code stays as the
// Jet text; this is the one place that knows how the engine differs.
class JetDialect {
public:
    // Columns of the schema: text columns decide whether "+" joins texts, and
    // real column names are never taken for reused select-list aliases.
    void setSchemaColumns(const QSet<QString>& textColumns, const QSet<QString>& allColumns);

    TranslatedSql translate(const QString& jetSql) const;

private:
    bool isTextColumn(const QString& name) const;
    bool isColumn(const QString& name) const;

    QSet<QString> textColumns_; // lower case
    QSet<QString> allColumns_;  // lower case
};

} // namespace ostrapel
