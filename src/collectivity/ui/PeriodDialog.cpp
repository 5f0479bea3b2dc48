#include "PeriodDialog.h"

#include "MonthList.h"

#include "collectivity/CollectivityTexts.h"

#include "core/Prompts.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrapel {

PeriodDialog::PeriodDialog(const QStringList& months, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), choice_(months),
      prompts_(prompts) {
    setWindowTitle(CollectivityTexts::KiesPeriode);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Vergelijk periode "), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(label);
    cbMaandVan = monthList(choice_.months(), QString(), this);
    row->addWidget(cbMaandVan);
    row->addWidget(new QLabel(QStringLiteral("met"), this));
    cbMaandTot = monthList(choice_.months(), choice_.to, this);
    row->addWidget(cbMaandTot);
    layout->addLayout(row);
    buttons_ = okCancelButtons(this);
    layout->addWidget(buttons_);
    for (QComboBox* c : {cbMaandVan, cbMaandTot})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { updateChoice(); });
    updateChoice();
    setFixedSize(sizeHint());
}

QPushButton* PeriodDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

void PeriodDialog::updateChoice() {
    choice_.from = cbMaandVan->currentText();
    choice_.to = cbMaandTot->currentText();
    okButton()->setEnabled(choice_.okEnabled());
}

void PeriodDialog::accept() {
    if (prompts_.askYesNo(MsgType::Confirmation, CollectivityTexts::ConfirmLongRun))
        QDialog::accept();
    else
        done(QDialog::Rejected);
}

} // namespace ostrapel
