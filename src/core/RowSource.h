#pragma once

#include "FieldType.h"

#include <QVariant>
#include <memory>
#include <vector>

namespace ostrapel {

// A column the rows are sorted or searched on, typed as its field is.
struct ColumnKey {
    int column = 0;
    FieldType type = FieldType::Text;
};

// Where a DataSet keeps its rows: in memory, or in a table the engine keeps.
// Each knows the display order of its rows (as sorted) and sorts and searches
// them its own way; the data set on top is the same for both.
class RowSource {
public:
    virtual ~RowSource() = default;
    // A copy for a copied data set.
    virtual std::unique_ptr<RowSource> clone() const = 0;
    // True when the engine keeps the rows and they are read a page at a time.
    virtual bool keptByEngine() const = 0;

    int rowCount() const { return int(order_.size()); }
    // The row as loaded, of a row as sorted.
    int storedRow(int row) const { return order_[size_t(row)]; }

    // A column's value in a display row, converted to its field's type. Valid
    // until the next call; engine rows that cannot be read throw DatabaseError.
    virtual const QVariant& cell(int row, int column) const = 0;
    // The stored rows sorted ascending on the keys: stable, empty values
    // first, numbers and dates by value, texts case-folded.
    virtual std::vector<int> sortedOrder(const std::vector<ColumnKey>& keys) const = 0;
    virtual void setOrder(std::vector<int> order) { order_ = std::move(order); }
    // The first display row whose column equals `wanted` (already converted
    // to the key's type; texts compare as `cs` says); -1 when none does.
    virtual int find(const ColumnKey& key, const QVariant& wanted, Qt::CaseSensitivity cs) const = 0;

protected:
    std::vector<int> order_; // display row -> stored row
};

// A value as read from the engine, converted to the field's type.
QVariant convertCell(const QVariant& raw, FieldType type);
bool isNumericType(FieldType type);

} // namespace ostrapel
