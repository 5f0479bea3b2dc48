#include "StatementGrid.h"

#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

namespace ostrapel {

StatementGrid::StatementGrid(Marker marker, QWidget* parent)
    : QTableView(parent), model_(new StatementGridModel(marker, this)) {
    setModel(model_);
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

int StatementGrid::plannedWidth(const GridColumn& c) const {
    const QFontMetrics fm = fontMetrics();
    if (c.widthChars > 0) return c.widthChars * fm.horizontalAdvance(u'0') + 4;
    if (c.widthPixels > 0) return c.widthPixels;
    const int chars = c.fieldLength > 0 ? std::clamp(c.fieldLength, 4, 24) : 10;
    int width = std::max(fm.horizontalAdvance(c.title) + 12, chars * fm.horizontalAdvance(u'0') + 10);
    // A coded column is as wide as its widest description.
    for (const QString& item : c.pickList)
        width = std::max(width, fm.horizontalAdvance(item.section(u'=', 1)) + 12);
    return width;
}

void StatementGrid::setColumns(DataSet* dataSet, const std::vector<GridColumn>& plan) {
    QStringList names;
    for (const GridColumn& c : plan)
        names << c.fieldName + (c.visible ? QStringLiteral("=1") : QStringLiteral("=0"));
    if (model_->dataSet() == dataSet && names == appliedPlan_)
        return; // the columns stay as the user left them
    QVector<int> fields;
    for (const GridColumn& c : plan)
        fields << c.fieldIndex;
    // Widths the user gave a field stay with the field. The data set may have been
    // reloaded with its fields in another order: go by the names as applied.
    QHash<QString, int> widths;
    for (int i = 0; i < appliedPlan_.size(); ++i)
        widths.insert(appliedPlan_[i].section(u'=', 0, 0), columnWidth(i));
    // The plan is in the order to show, so a column moved by dragging goes back to its own place first.
    resetVisualOrder();
    if (model_->dataSet() != dataSet) model_->setDataSet(dataSet);
    model_->setColumns(fields);
    for (int i = 0; i < int(plan.size()); ++i) {
        const GridColumn& c = plan[size_t(i)];
        setColumnWidth(i, widths.value(c.fieldName, plannedWidth(c)));
        setColumnHidden(i, !c.visible && c.fieldIndex >= 0);
    }
    appliedPlan_ = names;
}

void StatementGrid::scrollToStart() {
    horizontalScrollBar()->setValue(0);
}

QString StatementGrid::fieldOfColumn(int column) const {
    const int field = model_->fieldIndexOfColumn(column);
    return field >= 0 && dataSet() ? dataSet()->field(field).name : QString();
}

int StatementGrid::columnOfField(const QString& field) const {
    for (int c = 0; c < model_->columnCount(); ++c)
        if (fieldOfColumn(c).compare(field, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

void StatementGrid::showCurrentRow() {
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

std::vector<SortFieldPicker::Item> StatementGrid::sortItems() const {
    std::vector<SortFieldPicker::Item> items;
    for (int c = 0; c < model_->columnCount(); ++c)
        if (const QString field = fieldOfColumn(c); !field.isEmpty())
            items.push_back({model_->headerData(c, Qt::Horizontal).toString(), field, c});
    return items;
}

std::vector<ColumnState> StatementGrid::visualColumns() const {
    std::vector<ColumnState> out;
    QHeaderView* h = horizontalHeader();
    for (int v = 0; v < h->count(); ++v) {
        const int logical = h->logicalIndex(v);
        out.push_back({fieldOfColumn(logical), !isColumnHidden(logical)});
    }
    return out;
}

void StatementGrid::resetVisualOrder() {
    QHeaderView* h = horizontalHeader();
    const QSignalBlocker quiet(h); // not a drag of the user's
    for (int logical = 0; logical < h->count(); ++logical)
        if (h->visualIndex(logical) != logical) h->moveSection(h->visualIndex(logical), logical);
}

void StatementGrid::setActive(bool active) {
    // 65280: the lime of an active grid's fixed cells
    horizontalHeader()->setStyleSheet(
        active ? QStringLiteral("QHeaderView::section { background-color: #00ff00; }") : QString());
}

} // namespace ostrapel
