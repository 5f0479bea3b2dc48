#include "SnapshotTable.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "SqliteHandle.h"

#include <QLoggingCategory>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <sqlite3.h>

Q_DECLARE_LOGGING_CATEGORY(lcSql)

namespace ostrapel {

namespace {

// Texts compared as QString::toCaseFolded() compares them; ASCII without a copy.
int foldCompare(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    const int n = std::min(lengthA, lengthB);
    for (int i = 0; i < n; ++i) {
        unsigned char cx = x[i], cy = y[i];
        if (cx >= 0x80 || cy >= 0x80) {
            const QString sx = QString::fromUtf8(reinterpret_cast<const char*>(x), lengthA).toCaseFolded();
            const QString sy = QString::fromUtf8(reinterpret_cast<const char*>(y), lengthB).toCaseFolded();
            const int c = sx.compare(sy);
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
        if (cx >= 'A' && cx <= 'Z') cx = cx - 'A' + 'a';
        if (cy >= 'A' && cy <= 'Z') cy = cy - 'A' + 'a';
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

void registerFoldCollation(const QSqlDatabase& db) {
    sqlite3* sqlite = sqliteHandle(db);
    if (!sqlite) return;
    // Busy means it is registered and in use already.
    sqlite3_create_collation_v2(sqlite, SnapshotTable::foldCollation().toUtf8().constData(), SQLITE_UTF8,
                                nullptr, foldCompare, nullptr);
}

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariant* value = nullptr) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DatabaseError(QStringLiteral("Databasefout: %1\n\n%2").arg(q.lastError().text(), sql));
    if (value) q.addBindValue(*value);
    if (!q.exec())
        throw DatabaseError(QStringLiteral("Databasefout: %1\n\n%2").arg(q.lastError().text(), sql));
    return q;
}

} // namespace

SnapshotTable::SnapshotTable(Connection& connection, const QString& jetSql)
    : connectionName_(connection.database().connectionName()),
      table_(QStringLiteral("temp.snapshot_%1").arg(quintptr(this), 0, 16)) {
    const QSqlDatabase db = connection.database();
    registerFoldCollation(db);
    const TranslatedSql translated = connection.dialect().translate(jetSql);
    if (!translated.parameterNames.isEmpty()) // unbound they would read as NULL
        throw DatabaseError(
            QStringLiteral("Databasefout: een lijst met parameters wordt niet ondersteund.\n\n") + jetSql);
    run(db, QStringLiteral("DROP TABLE IF EXISTS ") + table_);
    const QString create = QStringLiteral("CREATE TABLE ") + table_ + QStringLiteral(" AS ") + translated.sql;
    qCDebug(lcSql).noquote() << create;
    run(db, create);
    // The table's rows are numbered 1..n as inserted: the highest number is the count.
    QSqlQuery count = run(db, QStringLiteral("SELECT max(rowid) FROM ") + table_);
    rowCount_ = count.next() ? count.value(0).toInt() : 0;
    // Columns without a declared type take the type of the first row's value, as
    // they do in the query itself.
    QSqlQuery first =
        run(db, QStringLiteral("SELECT * FROM ") + table_ + QStringLiteral(" ORDER BY rowid LIMIT 1"));
    record_ = first.record();
}

SnapshotTable::~SnapshotTable() {
    if (!QSqlDatabase::contains(connectionName_)) return;
    const QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (db.isOpen()) QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS ") + table_);
}

QString SnapshotTable::quotedColumn(int column) const {
    return u'"' + record_.fieldName(column).replace(u'"', QStringLiteral("\"\"")) + u'"';
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
    QSqlQuery q = run(QSqlDatabase::database(connectionName_, false),
                      QStringLiteral("SELECT rowid, * FROM ") + table_ + QStringLiteral(" WHERE rowid IN (") +
                          list + QStringLiteral(") ORDER BY rowid"));
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

std::vector<int> SnapshotTable::orderedRows(const QString& orderBy) const {
    std::vector<int> rows;
    rows.reserve(size_t(rowCount_));
    QSqlQuery q = run(QSqlDatabase::database(connectionName_, false),
                      QStringLiteral("SELECT rowid FROM ") + table_ + QStringLiteral(" ORDER BY ") + orderBy +
                          (orderBy.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("rowid"));
    while (q.next())
        rows.push_back(q.value(0).toInt() - 1);
    return rows;
}

std::vector<int> SnapshotTable::matchingRows(const QString& condition, const QVariant& value) const {
    std::vector<int> rows;
    QSqlQuery q =
        run(QSqlDatabase::database(connectionName_, false),
            QStringLiteral("SELECT rowid FROM ") + table_ + QStringLiteral(" WHERE ") + condition, &value);
    while (q.next())
        rows.push_back(q.value(0).toInt() - 1);
    return rows;
}

std::vector<std::pair<int, QVariant>> SnapshotTable::column(int column) const {
    std::vector<std::pair<int, QVariant>> values;
    values.reserve(size_t(rowCount_));
    QSqlQuery q =
        run(QSqlDatabase::database(connectionName_, false),
            QStringLiteral("SELECT rowid, ") + quotedColumn(column) + QStringLiteral(" FROM ") + table_);
    while (q.next())
        values.emplace_back(q.value(0).toInt() - 1, q.value(1));
    return values;
}

} // namespace ostrapel
