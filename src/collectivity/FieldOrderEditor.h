#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ostrapel {

class DataSet;
class RecordCatalogue;

// The entries of the field-order dialog: each field with its caption and a
// state 0 (hidden), 1 (column and detail row) or 2 (detail row only).
class FieldOrderEditor {
public:
    struct Entry {
        QString name;
        QString caption;
        int state = 1;
        bool fixed = false; // always shown: checked, cannot change
    };

    // The stored order extended with every visible field it lacks (state 0),
    // or the default order (every visible field, state 1) when none is stored.
    static QString extendedOrder(const DataSet& dataSet, const QString& stored);

    FieldOrderEditor(const RecordCatalogue& catalogue, const QString& order);

    const std::vector<Entry>& entries() const { return entries_; }
    void setState(int index, int state);
    // Next state of a click: unchecked -> checked -> greyed -> unchecked.
    void cycle(int index);
    bool canMoveUp(int index) const { return index > 0 && index < int(entries_.size()); }
    bool canMoveDown(int index) const { return index >= 0 && index + 1 < int(entries_.size()); }
    int moveUp(int index);
    int moveDown(int index);
    QString result() const;

private:
    std::vector<Entry> entries_;
};

// The field order a column drag leaves: the columns with a field, in column
// order, "=1" or "=0" for a hidden column.
struct ColumnState {
    QString fieldName; // empty for the marker column
    bool visible = true;
};
QString gridFieldOrder(const std::vector<ColumnState>& columns);

} // namespace ostrapel
