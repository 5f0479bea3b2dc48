#include "SortFieldDialog.h"

#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrapel {

SortFieldDialog::SortFieldDialog(std::vector<SortFieldPicker::Item> items, const QString& currentSort,
                                 QWidget* parent)
    : QDialog(parent), picker_(std::move(items), currentSort), edit_(new QLineEdit(this)),
      list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Kies sorteerveld"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Zoek"), this);
    label->setBuddy(edit_);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(list_, 1);
    auto* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    for (const SortFieldPicker::Item& i : picker_.items())
        list_->addItem(i.title);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& t) {
        picker_.search(t);
        showSelection();
    });
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        picker_.select(list_->row(item));
        edit_->setFocus();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    edit_->installEventFilter(this);
    showSelection();
    resize(280, 360);
}

void SortFieldDialog::showSelection() {
    list_->setCurrentRow(picker_.selected());
    if (picker_.selected() < 0) list_->clearSelection();
}

bool SortFieldDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            picker_.move(key == Qt::Key_Up ? -1 : 1);
            showSelection();
            edit_->selectAll();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ostrapel
