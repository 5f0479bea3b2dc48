#include "SortFieldPicker.h"

#include <algorithm>

namespace ostrapel {

SortFieldPicker::SortFieldPicker(std::vector<Item> items, const QString& currentSort)
    : items_(std::move(items)) {
    std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
        return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
    });
    selected_ = items_.empty() ? -1 : 0;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].fieldName == currentSort) selected_ = int(i);
}

void SortFieldPicker::select(int index) {
    selected_ = index >= 0 && index < int(items_.size()) ? index : -1;
}

void SortFieldPicker::search(const QString& text) {
    selected_ = -1;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].title.compare(text, Qt::CaseInsensitive) >= 0) {
            selected_ = int(i);
            return;
        }
    }
}

void SortFieldPicker::move(int delta) {
    if (items_.empty()) return;
    selected_ = std::clamp(selected_ + delta, 0, int(items_.size()) - 1);
}

} // namespace ostrapel
