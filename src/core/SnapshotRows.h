#pragma once

#include "RowSource.h"

#include <unordered_map>

namespace ostrapel {

class SnapshotTable;

// Rows the engine keeps in a snapshot table, read a page of display rows at a
// time; sort and search run in the engine. Copies share the table.
class SnapshotRows final : public RowSource {
public:
    // `columnTypes` converts every column of the table; `tieKeys` (the ORDER BY
    // the query left out) break the ties of every sort.
    SnapshotRows(std::shared_ptr<const SnapshotTable> table, std::vector<FieldType> columnTypes,
                 std::vector<ColumnKey> tieKeys);

    std::unique_ptr<RowSource> clone() const override { return std::make_unique<SnapshotRows>(*this); }
    bool keptByEngine() const override { return true; }
    const QVariant& cell(int row, int column) const override;
    std::vector<int> sortedOrder(const std::vector<ColumnKey>& keys) const override;
    void setOrder(std::vector<int> order) override;
    int find(const ColumnKey& key, const QVariant& wanted, Qt::CaseSensitivity cs) const override;

private:
    // Display rows read together; the least recently read page goes first.
    struct Page {
        std::vector<QVariant> cells;
        quint64 lastUse = 0;
    };

    std::shared_ptr<const SnapshotTable> table_;
    std::vector<FieldType> columnTypes_;
    std::vector<ColumnKey> tieKeys_;
    mutable std::unordered_map<int, Page> pages_;
    mutable quint64 pageClock_ = 0;
};

} // namespace ostrapel
