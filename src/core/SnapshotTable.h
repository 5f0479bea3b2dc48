#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <vector>

namespace ostrapel {

class Connection;

// A query's result kept by the engine in a temporary table, so a list of any
// length is read a page at a time. Rows are numbered from 0 in the order the
// query returned them; the table goes with the object.
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
    // Every row, ordered by an SQL ORDER BY list over the columns; ties keep
    // the query's order.
    std::vector<int> orderedRows(const QString& orderBy) const;
    // The rows whose column passes an SQL condition on `value` (the text `?`
    // in the condition stands for the bound value), in no particular order.
    std::vector<int> matchingRows(const QString& condition, const QVariant& value) const;
    // Row number and raw value of one column for every row.
    std::vector<std::pair<int, QVariant>> column(int column) const;

    // The column's name quoted for the engine.
    QString quotedColumn(int column) const;
    // Name of the collation that compares texts as the lists do without regard
    // to case (full Unicode case folding).
    static QString foldCollation() { return QStringLiteral("ostrapel_fold"); }

private:
    QString connectionName_;
    QString table_;
    QSqlRecord record_;
    int rowCount_ = 0;
};

} // namespace ostrapel
