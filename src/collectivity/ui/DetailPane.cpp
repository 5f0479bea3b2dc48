#include "DetailPane.h"

#include "collectivity/InspectorRows.h"
#include "core/DataSet.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace ostrapel {

namespace {
constexpr int kRowHeight = 16;
}

DetailPane::DetailPane(const RecordCatalogue& catalogue, QWidget* parent)
    : QTableWidget(0, 2, parent), catalogue_(catalogue) {
    setHorizontalHeaderLabels({QStringLiteral("Veld"), QStringLiteral("Waarde")});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setFixedHeight(kRowHeight + 2);
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
    const int header = horizontalHeader()->height();
    const int available = parent->contentsRect().height() - header - 2;
    const int needed = rowCount() * kRowHeight;
    if (needed < available) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFixedHeight(needed + header + 2);
    } else {
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setFixedHeight(std::max(0, available / kRowHeight) * kRowHeight + header);
    }
}

void DetailPane::rebuildFillFit() {
    rebuildRows();
    fillValues();
    fitHeight();
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
