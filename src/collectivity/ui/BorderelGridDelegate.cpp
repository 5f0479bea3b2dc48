#include "BorderelGridDelegate.h"

#include "BorderelGrid.h"
#include "MarkerImages.h"

#include <QPainter>

namespace ostrapel {

BorderelGridDelegate::BorderelGridDelegate(BorderelGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void BorderelGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    DataSet* ds = grid_->dataSet();
    if (!ds || ds->isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    const int field = grid_->dataModel()->fieldIndexOfColumn(index.column());
    if (field < 0) { // the marker column
        int image = -1;
        if (grid_->marker() == BorderelGrid::Marker::MainInsured) {
            const QVariant unit = ds->value(index.row(), ds->fieldIndex(QStringLiteral("ID05")));
            const QVariant person = ds->value(index.row(), ds->fieldIndex(QStringLiteral("ID07")));
            if (!unit.isNull() && unit.toString() == person.toString()) image = 0;
        } else {
            const QString origin = ds->value(index.row(), ds->fieldIndex(QStringLiteral("5002"))).toString();
            if (origin.isEmpty()) {
                QStyledItemDelegate::paint(painter, option, index);
                return;
            }
            image = std::clamp(origin.toInt(), 1, 3);
        }
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.dark());
        if (image >= 0) painter->drawPixmap(option.rect.topLeft() + QPoint(2, 2), markerImage(image));
        return;
    }
    QStyleOptionViewItem opt(option);
    if (ds->field(field).name.compare(grid_->sortField(), Qt::CaseInsensitive) == 0) {
        if (!selected) painter->fillRect(option.rect, sortColumnColour());
        opt.font.setBold(true);
    }
    QStyledItemDelegate::paint(painter, opt, index);
}

} // namespace ostrapel
