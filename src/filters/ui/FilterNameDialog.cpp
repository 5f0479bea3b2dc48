#include "FilterNameDialog.h"

#include "filters/FilterTexts.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrapel {

FilterNameDialog::FilterNameDialog(QWidget* parent)
    : QDialog(parent), editNaam(new QLineEdit(this)), editGemaaktDoor(new QLineEdit(this)) {
    setObjectName(QStringLiteral("dlgFilterNaam"));
    setWindowTitle(FilterTexts::NameCaption);
    editNaam->setObjectName(QStringLiteral("editNaam"));
    editGemaaktDoor->setObjectName(QStringLiteral("editGemaaktDoor"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(FilterTexts::NameLabel, editNaam);
    form->addRow(FilterTexts::MadeByLabel, editGemaaktDoor);
    layout->addLayout(form);
    QDialogButtonBox* buttons = okCancelButtons(this);
    btnOk = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    const auto update = [this] {
        btnOk->setEnabled(!editNaam->text().isEmpty() && !editGemaaktDoor->text().isEmpty());
    };
    connect(editNaam, &QLineEdit::textChanged, this, update);
    connect(editGemaaktDoor, &QLineEdit::textChanged, this, update);
    update();
    resize(340, sizeHint().height());
}

QString FilterNameDialog::name() const {
    return editNaam->text();
}

QString FilterNameDialog::madeBy() const {
    return editGemaaktDoor->text();
}

} // namespace ostrapel
