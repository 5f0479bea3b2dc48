#include "BorderelGrid.h"

#include "BorderelGridDelegate.h"

#include "MarkerImages.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

namespace ostrapel {

BorderelGrid::BorderelGrid(Marker marker, QWidget* parent)
    : QTableView(parent), model_(new DataSetModel(this)), marker_(marker) {
    setModel(model_);
    setItemDelegate(new BorderelGridDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::NoFrame);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::ClickFocus);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void BorderelGrid::setColumns(DataSet* dataSet, const std::vector<GridColumn>& plan) {
    QVector<int> fields;
    for (const GridColumn& c : plan)
        fields << c.fieldIndex;
    if (model_->dataSet() != dataSet) model_->setDataSet(dataSet);
    model_->setColumns(fields);
    const QFontMetrics fm = fontMetrics();
    for (int i = 0; i < int(plan.size()); ++i) {
        const GridColumn& c = plan[size_t(i)];
        int width = c.widthPixels;
        if (c.widthChars > 0) {
            width = c.widthChars * fm.horizontalAdvance(u'0') + 4;
        } else if (width == 0) {
            const int chars = c.fieldLength > 0 ? std::clamp(c.fieldLength, 4, 24) : 10;
            width = std::max(fm.horizontalAdvance(c.title) + 12, chars * fm.horizontalAdvance(u'0') + 10);
        }
        setColumnWidth(i, width);
        setColumnHidden(i, !c.visible && c.fieldIndex >= 0);
    }
}

void BorderelGrid::refresh() {
    model_->refresh();
    horizontalScrollBar()->setValue(0);
}

QString BorderelGrid::fieldOfColumn(int column) const {
    const int field = model_->fieldIndexOfColumn(column);
    return field >= 0 && dataSet() ? dataSet()->field(field).name : QString();
}

int BorderelGrid::columnOfField(const QString& field) const {
    for (int c = 0; c < model_->columnCount(); ++c)
        if (fieldOfColumn(c).compare(field, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

void BorderelGrid::setSortField(const QString& field) {
    sortField_ = field;
    viewport()->update();
}

void BorderelGrid::showCurrentRow() {
    DataSet* ds = dataSet();
    if (!ds || ds->isEmpty()) return;
    const int column =
        currentIndex().isValid() ? currentIndex().column() : horizontalHeader()->logicalIndex(0);
    const QModelIndex index = model_->index(ds->recNo(), std::max(0, column));
    const int scrolled = horizontalScrollBar()->value();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
    horizontalScrollBar()->setValue(scrolled); // following a row never scrolls sideways
}

std::vector<ColumnState> BorderelGrid::visualColumns() const {
    std::vector<ColumnState> out;
    QHeaderView* h = horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        out.push_back({fieldOfColumn(logical), !isColumnHidden(logical)});
    }
    return out;
}

void BorderelGrid::resetVisualOrder() {
    QHeaderView* h = horizontalHeader();
    for (int logical = 0; logical < h->count(); ++logical)
        if (h->visualIndex(logical) != logical) h->moveSection(h->visualIndex(logical), logical);
}

void BorderelGrid::setActive(bool active) {
    // 65280: the lime of an active grid's fixed cells
    horizontalHeader()->setStyleSheet(
        active ? QStringLiteral("QHeaderView::section { background-color: #00ff00; }") : QString());
}

} // namespace ostrapel
