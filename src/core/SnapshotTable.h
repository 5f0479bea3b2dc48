#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <vector>

namespace ostrapel {

class Connection;

// How a column takes part in an ORDER BY of the snapshot. Empty values come
// first in every kind.
enum class SnapshotSort {
    Stored,     // the value as stored
    Declared,   // as the statement tables compare: text without regard to case
    Number,     // by value; a text that is no number counts as empty
    Date,       // by day; a text that is no valid day counts as empty
    FoldedText, // text case-folded, then by code point, as the lists sort in memory
};

// A query's result kept by the engine in a temporary table, so a list of any
// length is read a page at a time. Rows are numbered from 0 in the order the
// query returned them; the table goes with the object. The SQL it runs is the
// engine's own (SQLite or PostgreSQL); callers pass none.
class SnapshotTable {
public:
    // Runs the Jet query into the table; throws DatabaseError.
    SnapshotTable(Connection& connection, const QString& jetSql);
    ~SnapshotTable();
    SnapshotTable(const SnapshotTable&) = delete;
    SnapshotTable& operator=(const SnapshotTable&) = delete;

    int rowCount() const { return rowCount_; }
    // The result's columns, named and typed as the query names them.
    const QSqlRecord& record() const { return record_; }

    // The raw values of the given rows, row after row, `record().count()` per row.
    std::vector<QVariant> fetch(const std::vector<int>& rows) const;
    // Every row, ordered on the columns (each compared as its kind says);
    // ties keep the query's order.
    std::vector<int> orderedRows(const std::vector<std::pair<int, SnapshotSort>>& keys) const;
    // The rows whose column, read as text, equals the text, in no particular order.
    std::vector<int> rowsWithText(int column, const QString& text, Qt::CaseSensitivity cs) const;
    // Row number and raw value of one column for every row.
    std::vector<std::pair<int, QVariant>> column(int column) const;

private:
    QString quotedColumn(int column) const;
    QString sortTerm(int column, SnapshotSort kind) const;
    bool onServer() const { return rowColumn_ != QLatin1String("rowid"); }

    QString connectionName_;
    QString table_;
    bool serverFoldsAccents_ = false; // a UTF-8 server: texts sort by their base letters first
    QString rowColumn_;               // numbers the rows from 1 in the query's order
    QSqlRecord record_;
    int rowCount_ = 0;
};

} // namespace ostrapel
