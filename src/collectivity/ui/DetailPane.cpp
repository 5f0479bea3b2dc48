#include "DetailPane.h"

#include "collectivity/InspectorRows.h"
#include "core/DataSet.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace ostrapel {

DetailPane::DetailPane(const RecordCatalogue& catalogue, QWidget* parent)
    : QTableWidget(0, 2, parent), catalogue_(catalogue) {
    setHorizontalHeaderLabels({QStringLiteral("Veld"), QStringLiteral("Waarde")});
    // Rows as high as the grids' rows, from the font; the header one row.
    const int rowHeight = fontMetrics().height() + 4;
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setFixedHeight(rowHeight + 2);
    // No scroll bars until the pane is fitted; then only a vertical one when rows remain.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnWidth(0, 117);
    setColumnWidth(1, 165);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed); // a pane that allows it says so
    horizontalHeader()->setSectionsClickable(false);
    setShowGrid(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setWordWrap(false);
}

void DetailPane::rebuildRows() {
    clearContents();
    if (!dataSet_) {
        setRowCount(0);
        return;
    }
    const std::vector<InspectorRow> rows = inspectorRows(*dataSet_);
    setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        auto* caption = new QTableWidgetItem(rows[size_t(r)].caption);
        caption->setData(Qt::UserRole, rows[size_t(r)].fieldName);
        setItem(r, 0, caption);
        setItem(r, 1, new QTableWidgetItem);
    }
    if (rowCount() > 0 && currentRow() < 0) selectRow(0);
}

void DetailPane::fillValues() {
    if (pane_ && pane_->isHidden()) return; // a hidden pane is not filled
    for (int r = 0; r < rowCount(); ++r) {
        QTableWidgetItem* value = item(r, 1);
        if (!value) continue;
        value->setText(dataSet_ && !dataSet_->isEmpty()
                           ? inspectorValueText(catalogue_, *dataSet_, fieldOfRow(r))
                           : QString());
    }
}

void DetailPane::fitHeight() {
    QWidget* parent = pane_ ? pane_ : parentWidget();
    if (!parent || parent->isHidden()) return;
    // The largest whole number of the rows as painted that fits the pane.
    const int row = rowHeight();
    const int chrome = horizontalHeader()->height() + 2 * frameWidth();
    const int fitting = std::max(0, (parent->contentsRect().height() - chrome) / row);
    const bool all = rowCount() <= fitting;
    setVerticalScrollBarPolicy(all ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    setFixedHeight((all ? rowCount() : fitting) * row + chrome);
}

void DetailPane::rebuildFillFit() {
    rebuildRows();
    fillValues();
    fitHeight();
}

int DetailPane::rowHeight() const {
    return verticalHeader()->defaultSectionSize();
}

QString DetailPane::fieldOfRow(int row) const {
    const QTableWidgetItem* caption = item(row, 0);
    return caption ? caption->data(Qt::UserRole).toString() : QString();
}

QString DetailPane::valueOfField(const QString& field) const {
    for (int r = 0; r < rowCount(); ++r)
        if (fieldOfRow(r) == field) return item(r, 1)->text();
    return {};
}

void DetailPane::moveSelection(int delta) {
    if (rowCount() == 0) return;
    selectRow(std::clamp(currentRow() + delta, 0, rowCount() - 1));
}

void DetailPane::selectEdge(bool last) {
    if (rowCount() > 0) selectRow(last ? rowCount() - 1 : 0);
}

void DetailPane::setPane(QWidget* pane) {
    pane_ = pane;
    pane_->installEventFilter(this); // refit whenever the pane changes size
}

bool DetailPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pane_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) fitHeight();
    return QTableWidget::eventFilter(watched, event);
}

void DetailPane::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    emit pressed();
}

} // namespace ostrapel
