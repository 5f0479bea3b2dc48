#include "FieldOrderDialog.h"

#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ostrapel {

FieldOrderDialog::FieldOrderDialog(const RecordCatalogue& catalogue, const QString& order, QWidget* parent)
    : QDialog(parent), editor_(catalogue, order), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Grid veldinstellingen"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    auto* side = new QVBoxLayout;
    actItemUp = new QAction(QStringLiteral("&Omhoog"), this);
    actItemDown = new QAction(QStringLiteral("Om&laag"), this);
    actItemUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    actItemDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    for (QAction* a : {actItemUp, actItemDown}) {
        auto* b = new QToolButton(this);
        b->setDefaultAction(a);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setMinimumWidth(90);
        side->addWidget(b);
    }
    side->addStretch();
    auto* buttons = okCancelButtons(this, Qt::Vertical);
    side->addWidget(buttons);
    layout->addLayout(side);
    connect(actItemUp, &QAction::triggered, this, [this] { fill(editor_.moveUp(list_->currentRow())); });
    connect(actItemDown, &QAction::triggered, this, [this] { fill(editor_.moveDown(list_->currentRow())); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_) return;
        // The view's own order (greyed before checked) is not the field order's.
        const int row = list_->row(item);
        editor_.cycle(row);
        fill(row);
    });
    fill(0);
    resize(380, 420);
}

void FieldOrderDialog::fill(int select) {
    filling_ = true;
    list_->clear();
    for (const FieldOrderEditor::Entry& e : editor_.entries()) {
        auto* item = new QListWidgetItem(e.caption, list_);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (!e.fixed) flags |= Qt::ItemIsUserCheckable;
        item->setFlags(flags);
        item->setCheckState(e.state == 0 ? Qt::Unchecked : e.state == 1 ? Qt::Checked : Qt::PartiallyChecked);
        if (e.fixed) item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    filling_ = false;
    list_->setCurrentRow(std::clamp(select, 0, list_->count() - 1));
    updateButtons();
}

void FieldOrderDialog::updateButtons() {
    actItemUp->setEnabled(editor_.canMoveUp(list_->currentRow()));
    actItemDown->setEnabled(editor_.canMoveDown(list_->currentRow()));
}

} // namespace ostrapel
