#include "MemoryRows.h"

#include "TextOrder.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <numeric>

namespace ostrapel {

MemoryRows::MemoryRows(std::vector<QVariant> cells, int columnCount)
    : cells_(std::move(cells)), columnCount_(columnCount) {
    order_.resize(columnCount_ > 0 ? cells_.size() / size_t(columnCount_) : 0);
    std::iota(order_.begin(), order_.end(), 0);
}

std::vector<int> MemoryRows::sortedOrder(const std::vector<ColumnKey>& columns) const {
    // Every key becomes one number per row: text by its rank among the key's
    // case-folded values, so that the sort itself compares numbers only.
    struct Key {
        std::vector<double> number;
        std::vector<bool> null;
    };
    std::vector<Key> keys;
    const int stored = rowCount();
    for (const ColumnKey& column : columns) {
        Key k;
        k.null.resize(size_t(stored));
        k.number.resize(size_t(stored));
        const bool numeric = isNumericType(column.type);
        QHash<QString, int> distinct; // value -> index into `values`
        std::vector<QString> values;
        for (int r = 0; r < stored; ++r) {
            const QVariant& v = storedCell(r, column.column);
            k.null[size_t(r)] = v.isNull();
            if (v.isNull()) continue;
            if (column.type == FieldType::Date)
                k.number[size_t(r)] = double(v.toDate().toJulianDay());
            else if (numeric)
                k.number[size_t(r)] = v.toDouble();
            else {
                const QString text = v.toString();
                auto it = distinct.constFind(text);
                if (it == distinct.constEnd()) {
                    it = distinct.insert(text, int(values.size()));
                    values.push_back(textSortKey(text));
                }
                k.number[size_t(r)] = *it;
            }
        }
        if (!numeric) {
            // Values that differ in case only share a rank.
            std::vector<int> byText(values.size());
            std::iota(byText.begin(), byText.end(), 0);
            std::sort(byText.begin(), byText.end(),
                      [&values](int a, int b) { return values[size_t(a)] < values[size_t(b)]; });
            std::vector<double> rank(values.size());
            for (size_t i = 0, r = 0; i < byText.size(); ++i) {
                if (i > 0 && values[size_t(byText[i])] != values[size_t(byText[i - 1])]) ++r;
                rank[size_t(byText[i])] = double(r);
            }
            for (int r = 0; r < stored; ++r)
                if (!k.null[size_t(r)]) k.number[size_t(r)] = rank[size_t(k.number[size_t(r)])];
        }
        keys.push_back(std::move(k));
    }
    std::vector<int> order(static_cast<size_t>(stored));
    std::iota(order.begin(), order.end(), 0);
    if (!keys.empty()) {
        std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
            for (const Key& k : keys) {
                const bool na = k.null[size_t(a)], nb = k.null[size_t(b)];
                if (na != nb) return na;
                if (na) continue;
                const double x = k.number[size_t(a)], y = k.number[size_t(b)];
                if (x != y) return x < y;
            }
            return false;
        });
    }
    return order;
}

int MemoryRows::find(const ColumnKey& key, const QVariant& wanted, Qt::CaseSensitivity cs) const {
    const bool text = key.type == FieldType::Text || key.type == FieldType::Other;
    for (int r = 0; r < rowCount(); ++r) {
        const QVariant& v = cell(r, key.column);
        if (v.isNull() || wanted.isNull()) {
            if (v.isNull() && wanted.isNull()) return r;
            continue;
        }
        if (text ? v.toString().compare(wanted.toString(), cs) == 0 : v == wanted) return r;
    }
    return -1;
}

} // namespace ostrapel
