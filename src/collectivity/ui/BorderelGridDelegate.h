#pragma once

#include <QStyledItemDelegate>

namespace ostrapel {

class BorderelGrid;

// Paints the marker column and the sort column of a list.
class BorderelGridDelegate : public QStyledItemDelegate {
public:
    explicit BorderelGridDelegate(BorderelGrid* grid);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // The sort column's colour, 12569282 as the program has always written it.
    static QColor sortColumnColour() { return QColor(194, 202, 191); }

private:
    BorderelGrid* grid_;
};

} // namespace ostrapel
