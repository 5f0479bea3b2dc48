#include "SnapshotRows.h"

#include "SnapshotTable.h"

#include <algorithm>

namespace ostrapel {

namespace {

// Rows read from the engine at a time, and how many such pages stay in memory.
constexpr int kPageRows = 128;
constexpr size_t kKeptPages = 48;

} // namespace

SnapshotRows::SnapshotRows(std::shared_ptr<const SnapshotTable> table, std::vector<FieldType> columnTypes,
                           std::vector<ColumnKey> tieKeys)
    : table_(std::move(table)), columnTypes_(std::move(columnTypes)), tieKeys_(std::move(tieKeys)) {}

const QVariant& SnapshotRows::cell(int row, int column) const {
    const size_t columnCount = columnTypes_.size();
    const int number = row / kPageRows;
    auto it = pages_.find(number);
    if (it == pages_.end()) {
        if (pages_.size() >= kKeptPages) {
            auto oldest = std::min_element(pages_.begin(), pages_.end(), [](const auto& a, const auto& b) {
                return a.second.lastUse < b.second.lastUse;
            });
            pages_.erase(oldest);
        }
        const int from = number * kPageRows;
        const int to = std::min(rowCount(), from + kPageRows);
        std::vector<int> rows(order_.begin() + from, order_.begin() + to);
        // A failure comes out here, so that a report never writes empty rows;
        // the table model shows it once instead of painting.
        Page page;
        page.cells = table_->fetch(rows);
        for (size_t i = 0; i < page.cells.size(); ++i)
            page.cells[i] = convertCell(page.cells[i], columnTypes_[i % columnCount]);
        it = pages_.emplace(number, std::move(page)).first;
    }
    it->second.lastUse = ++pageClock_;
    return it->second.cells[size_t(row - number * kPageRows) * columnCount + size_t(column)];
}

std::vector<int> SnapshotRows::sortedOrder(const std::vector<ColumnKey>& columns) const {
    // The engine orders as the rows in memory are ordered: empty values first,
    // numbers and dates by value, texts case-folded; ties keep the query's order.
    std::vector<std::pair<int, SnapshotSort>> keys;
    for (const ColumnKey& k : columns)
        keys.emplace_back(k.column, k.type == FieldType::Date ? SnapshotSort::Date
                                    : isNumericType(k.type)   ? SnapshotSort::Number
                                                              : SnapshotSort::FoldedText);
    for (const ColumnKey& k : tieKeys_) // the left-out ORDER BY: texts as the statement tables declare them
        keys.emplace_back(k.column, isNumericType(k.type) ? SnapshotSort::Stored : SnapshotSort::Declared);
    return table_->orderedRows(keys);
}

void SnapshotRows::setOrder(std::vector<int> order) {
    order_ = std::move(order);
    pages_.clear();
}

int SnapshotRows::find(const ColumnKey& key, const QVariant& wanted, Qt::CaseSensitivity cs) const {
    std::vector<char> hit(size_t(table_->rowCount()), 0);
    if (!wanted.isNull() && (key.type == FieldType::Text || key.type == FieldType::Other)) {
        for (int row : table_->rowsWithText(key.column, wanted.toString(), cs))
            hit[size_t(row)] = 1;
    } else {
        // Other types compare as converted, one column read.
        for (const auto& [row, raw] : table_->column(key.column)) {
            const QVariant v = convertCell(raw, key.type);
            hit[size_t(row)] = v.isNull() || wanted.isNull() ? v.isNull() && wanted.isNull() : v == wanted;
        }
    }
    for (int r = 0; r < rowCount(); ++r)
        if (hit[size_t(order_[size_t(r)])]) return r;
    return -1;
}

} // namespace ostrapel
