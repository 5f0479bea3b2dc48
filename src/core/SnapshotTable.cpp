#include "SnapshotTable.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "EngineError.h"
#include "OneStatement.h"

#include <QLoggingCategory>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcSql)

namespace ostrapel {

namespace {

// The text order of the lists (TextOrder.h), registered on every SQLite
// connection, for the snapshot's columns that declare no collation.
const QLatin1String FoldCollation("ostrapel_fold");

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariant* value = nullptr) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // A server prepares no DDL: statements without a value run as they are.
    const bool ok = value ? q.prepare(sql) && (q.addBindValue(*value), q.exec()) : q.exec(sql);
    if (!ok) throwEngineError(q.lastError(), sql);
    return q;
}

} // namespace

SnapshotTable::SnapshotTable(Connection& connection, const QString& jetSql)
    : connectionName_(connection.database().connectionName()) {
    const QSqlDatabase db = connection.database();
    const TranslatedSql translated = connection.dialect().translate(jetSql);
    if (!translated.parameterNames.isEmpty()) // unbound they would read as NULL
        throw DatabaseError(
            QStringLiteral("Databasefout: een lijst met parameters wordt niet ondersteund.\n\n") + jetSql);
    const QString name = QStringLiteral("snapshot_%1").arg(quintptr(this), 0, 16);
    QString create;
    if (connection.isPostgreSql()) {
        table_ = QStringLiteral("pg_temp.ostrapel_") + name; // never a table of the database
        rowColumn_ = QStringLiteral("ostrapel_row");
        // The numbers follow the rows as the (ordered) subquery delivers them.
        create =
            QStringLiteral("CREATE TEMP TABLE %1 AS SELECT q.*, row_number() OVER () AS %2 FROM (%3) AS q")
                .arg(table_, rowColumn_, translated.sql);
    } else {
        table_ = QStringLiteral("temp.") + name;
        rowColumn_ = QStringLiteral("rowid");
        create = QStringLiteral("CREATE TABLE %1 AS %2").arg(table_, translated.sql);
    }
    serverFoldsAccents_ = connection.serverIsUtf8();
    run(db, QStringLiteral("DROP TABLE IF EXISTS ") + table_);
    qCDebug(lcSql).noquote() << create;
    ensureOneStatement(db, create); // it carries the query and whatever was written into it
    run(db, create);
    try {
        if (onServer())
            run(db, QStringLiteral("ALTER TABLE %1 ADD PRIMARY KEY (%2)").arg(table_, rowColumn_));
        // The rows are numbered 1..n: the highest number is the count.
        QSqlQuery count = run(db, QStringLiteral("SELECT max(%1) FROM %2").arg(rowColumn_, table_));
        rowCount_ = count.next() ? count.value(0).toInt() : 0;
        // SQLite's columns without a declared type take the type of the first
        // row's value, as they do in the query itself.
        QSqlQuery first =
            run(db, QStringLiteral("SELECT * FROM %1 ORDER BY %2 LIMIT 1").arg(table_, rowColumn_));
        record_ = first.record();
    } catch (...) {
        // No destructor runs for a half-made snapshot: its table goes now.
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS ") + table_);
        throw;
    }
    if (onServer()) record_.remove(record_.indexOf(rowColumn_));
}

SnapshotTable::~SnapshotTable() {
    if (!QSqlDatabase::contains(connectionName_)) return;
    const QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (db.isOpen()) QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS ") + table_);
}

QString SnapshotTable::quotedColumn(int column) const {
    return u'"' + record_.fieldName(column).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString SnapshotTable::sortTerm(int column, SnapshotSort kind) const {
    const QString c = quotedColumn(column);
    const QMetaType::Type type = QMetaType::Type(record_.field(column).metaType().id());
    const bool numberColumn = type == QMetaType::Int || type == QMetaType::LongLong ||
                              type == QMetaType::Double || type == QMetaType::UInt ||
                              type == QMetaType::ULongLong;
    if (!onServer()) {
        switch (kind) {
        case SnapshotSort::Stored:
            return c;
        case SnapshotSort::Declared:
            return c + QStringLiteral(" COLLATE NOCASE");
        case SnapshotSort::Number:
            return QStringLiteral("CAST(%1 AS REAL)").arg(c);
        case SnapshotSort::Date:
            // a day the month does not have is no date, as in memory (julianday would roll it over)
            return QStringLiteral(
                       "CASE WHEN date(julianday(substr(trim(%1), 1, 10))) = substr(trim(%1), 1, 10) "
                       "THEN julianday(substr(trim(%1), 1, 10)) END")
                .arg(c);
        case SnapshotSort::FoldedText:
            return QStringLiteral("CAST(%1 AS TEXT) COLLATE %2").arg(c, FoldCollation);
        }
    }
    // The server puts NULL last unless told. Texts are folded once per row:
    // a citext comparison would fold both sides at every step of the sort.
    // Patterns read the text of any column: a number, date or boolean column
    // may stand where a text is expected.
    const QString text = QStringLiteral("CAST(%1 AS text)").arg(c);
    // Folded texts in the order of the program's own (TextOrder.h): by their
    // letters without accents first, then as they are.
    QString folded = QStringLiteral("lower(%1) COLLATE \"C\"").arg(text);
    if (serverFoldsAccents_)
        folded = QStringLiteral("regexp_replace(normalize(lower(%1), NFD), '[\\u0300-\\u036f]', '', 'g') "
                                "COLLATE \"C\" NULLS FIRST, ")
                     .arg(text) +
                 folded;
    const bool dateColumn = type == QMetaType::QDate || type == QMetaType::QDateTime;
    QString term = c;
    switch (kind) {
    case SnapshotSort::Stored:
        break;
    case SnapshotSort::Declared:
        if (!numberColumn && !dateColumn) term = folded;
        break;
    case SnapshotSort::Number:
        // numeric: no text the pattern lets through is out of its range
        if (!numberColumn)
            term = QStringLiteral(
                       "CASE WHEN %1 ~ '^\\s*[-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]{1,4})?\\s*$' "
                       "THEN CAST(%1 AS numeric) END")
                       .arg(text);
        break;
    case SnapshotSort::Date:
        // by day, as in memory: the time of a timestamp leaves ties in query order
        if (type == QMetaType::QDateTime)
            term = QStringLiteral("CAST(%1 AS date)").arg(c);
        else if (!dateColumn)
            term = QStringLiteral(
                       "CASE WHEN %1 ~ '^\\s*[0-9]{4}-[0-9]{2}-[0-9]{2}' THEN substr(trim(%1), 1, 10) END")
                       .arg(text);
        break;
    case SnapshotSort::FoldedText:
        term = folded;
        break;
    }
    return term + QStringLiteral(" NULLS FIRST");
}

std::vector<QVariant> SnapshotTable::fetch(const std::vector<int>& rows) const {
    const int columns = record_.count();
    std::vector<QVariant> cells(rows.size() * size_t(columns));
    if (rows.empty()) return cells;
    QString list;
    list.reserve(int(rows.size()) * 8);
    for (int r : rows) {
        if (!list.isEmpty()) list += u',';
        list += QString::number(r + 1);
    }
    // The rows come back in table order: place each where it was asked for.
    std::vector<std::pair<int, int>> asked; // row, position asked
    asked.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        asked.emplace_back(rows[i], int(i));
    std::sort(asked.begin(), asked.end());
    QSqlQuery q = run(
        QSqlDatabase::database(connectionName_, false),
        QStringLiteral("SELECT %1, * FROM %2 WHERE %1 IN (%3) ORDER BY %1").arg(rowColumn_, table_, list));
    size_t next = 0;
    while (q.next()) {
        const int row = q.value(0).toInt() - 1;
        while (next < asked.size() && asked[next].first < row)
            ++next;
        for (size_t k = next; k < asked.size() && asked[k].first == row; ++k)
            for (int c = 0; c < columns; ++c)
                cells[size_t(asked[k].second) * size_t(columns) + size_t(c)] = q.value(c + 1);
    }
    return cells;
}

std::vector<int> SnapshotTable::orderedRows(const std::vector<std::pair<int, SnapshotSort>>& keys) const {
    QStringList terms;
    for (const auto& [column, kind] : keys)
        if (const QString term = sortTerm(column, kind); !terms.contains(term)) // a repeat decides nothing
            terms << term;
    terms << rowColumn_;
    std::vector<int> rows;
    rows.reserve(size_t(rowCount_));
    QSqlQuery q =
        run(QSqlDatabase::database(connectionName_, false),
            QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(rowColumn_, table_, terms.join(u", ")));
    while (q.next())
        rows.push_back(q.value(0).toInt() - 1);
    return rows;
}

std::vector<int> SnapshotTable::rowsWithText(int column, const QString& text, Qt::CaseSensitivity cs) const {
    const QString c = quotedColumn(column);
    QString condition;
    if (!onServer())
        condition = QStringLiteral("CAST(%1 AS TEXT) = ? COLLATE %2")
                        .arg(c, cs == Qt::CaseSensitive ? QStringLiteral("BINARY") : FoldCollation);
    else if (cs == Qt::CaseSensitive)
        condition = QStringLiteral("CAST(%1 AS text) = CAST(? AS text)").arg(c);
    else
        condition = QStringLiteral("lower(CAST(%1 AS text)) = lower(CAST(? AS text))").arg(c);
    std::vector<int> rows;
    const QVariant value(text);
    QSqlQuery q =
        run(QSqlDatabase::database(connectionName_, false),
            QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(rowColumn_, table_, condition), &value);
    while (q.next())
        rows.push_back(q.value(0).toInt() - 1);
    return rows;
}

std::vector<std::pair<int, QVariant>> SnapshotTable::column(int column) const {
    std::vector<std::pair<int, QVariant>> values;
    values.reserve(size_t(rowCount_));
    QSqlQuery q = run(QSqlDatabase::database(connectionName_, false),
                      QStringLiteral("SELECT %1, %2 FROM %3").arg(rowColumn_, quotedColumn(column), table_));
    while (q.next())
        values.emplace_back(q.value(0).toInt() - 1, q.value(1));
    return values;
}

} // namespace ostrapel
