#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ostrapel {

// The sort-field picker's list: the titles of the grid's field columns, sorted
// by text, and the incremental search of its "&Zoek" box.
class SortFieldPicker {
public:
    struct Item {
        QString title;
        QString fieldName;
        int column;
    };

    SortFieldPicker(std::vector<Item> items, const QString& currentSort);

    const std::vector<Item>& items() const { return items_; }
    int selected() const { return selected_; } // -1: none
    void select(int index);
    // Selects the first entry that sorts at or after the text, without regard to case.
    void search(const QString& text);
    void move(int delta);
    const Item* chosen() const { return selected_ >= 0 ? &items_[size_t(selected_)] : nullptr; }

private:
    std::vector<Item> items_;
    int selected_ = -1;
};

} // namespace ostrapel
