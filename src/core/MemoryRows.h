#pragma once

#include "RowSource.h"

namespace ostrapel {

// Rows read at once and held in memory, `columnCount` cells per row.
class MemoryRows final : public RowSource {
public:
    MemoryRows(std::vector<QVariant> cells, int columnCount);

    std::unique_ptr<RowSource> clone() const override { return std::make_unique<MemoryRows>(*this); }
    bool keptByEngine() const override { return false; }
    const QVariant& cell(int row, int column) const override {
        return storedCell(order_[size_t(row)], column);
    }
    std::vector<int> sortedOrder(const std::vector<ColumnKey>& keys) const override;
    int find(const ColumnKey& key, const QVariant& wanted, Qt::CaseSensitivity cs) const override;

private:
    const QVariant& storedCell(int stored, int column) const {
        return cells_[size_t(stored) * size_t(columnCount_) + size_t(column)];
    }

    std::vector<QVariant> cells_;
    int columnCount_;
};

} // namespace ostrapel
