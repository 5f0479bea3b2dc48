#include "CleanupDialog.h"

#include "maintenance/MaintenanceTexts.h"

#include "core/DatabaseError.h"
#include "core/Prompts.h"
#include "widgets/BusyCursor.h"
#include "widgets/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ostrapel {

using namespace MaintenanceTexts;

CleanupDialog::CleanupDialog(Connection& connection, Prompts& prompts, QWidget* parent)
    : QDialog(parent), cleanup_(connection), prompts_(prompts), entries_(cleanup_.collectivities()),
      cbCollectiviteiten(new QComboBox(this)), cbFactuurmaand1(new QComboBox(this)),
      cbFactuurmaand2(new QComboBox(this)), cbFactuurmaand3(new QComboBox(this)),
      rbMaand(new QRadioButton(Maand, this)), rbPeriode(new QRadioButton(PeriodeVan, this)),
      rbAlle(new QRadioButton(AllePeriodes, this)), rbAlleRecords(new QRadioButton(AlleRecords, this)),
      rbPremie(new QRadioButton(AlleenPremie, this)), buttons_(okCancelButtons(this)) {
    setObjectName(QStringLiteral("dlgOpschonen"));
    setWindowTitle(CleanupCaption);
    auto* layout = new QVBoxLayout(this);

    auto* warning = new QLabel(QString(CleanupWarning).remove(u'\r'), this);
    warning->setObjectName(QStringLiteral("lblWaarschuwing"));
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #800000;"));
    layout->addWidget(warning);

    auto* coll = new QGroupBox(GroupCollectiviteit, this);
    cbCollectiviteiten->setObjectName(QStringLiteral("cbCollectiviteiten"));
    for (const Cleanup::Entry& e : entries_)
        cbCollectiviteiten->addItem(e.caption);
    (new QVBoxLayout(coll))->addWidget(cbCollectiviteiten);
    layout->addWidget(coll);

    auto* period = new QGroupBox(GroupPeriode, this);
    auto* grid = new QGridLayout(period);
    const QStringList months = cleanup_.periods();
    int n = 1;
    for (QComboBox* c : {cbFactuurmaand1, cbFactuurmaand2, cbFactuurmaand3}) {
        c->setObjectName(QStringLiteral("cbFactuurmaand%1").arg(n++));
        c->addItems(months);
        c->setMinimumContentsLength(8);
        connect(c, &QComboBox::currentIndexChanged, this, &CleanupDialog::setOkButton);
    }
    rbMaand->setObjectName(QStringLiteral("rbMaand"));
    rbPeriode->setObjectName(QStringLiteral("rbPeriode"));
    rbAlle->setObjectName(QStringLiteral("rbAllePeriodes"));
    grid->addWidget(rbMaand, 0, 0);
    grid->addWidget(cbFactuurmaand1, 0, 1);
    grid->addWidget(rbPeriode, 1, 0);
    grid->addWidget(cbFactuurmaand2, 1, 1);
    grid->addWidget(new QLabel(TotEnMet, period), 1, 2);
    grid->addWidget(cbFactuurmaand3, 1, 3);
    grid->addWidget(rbAlle, 2, 0);
    grid->setColumnStretch(4, 1);
    for (QRadioButton* r : {rbMaand, rbPeriode, rbAlle})
        connect(r, &QRadioButton::toggled, this, &CleanupDialog::setOkButton);
    layout->addWidget(period);

    auto* records = new QGroupBox(GroupRecords, this);
    auto* recordsRow = new QHBoxLayout(records);
    rbAlleRecords->setObjectName(QStringLiteral("rbAlleRecords"));
    rbPremie->setObjectName(QStringLiteral("rbAlleenPremie"));
    recordsRow->addWidget(rbAlleRecords);
    recordsRow->addWidget(rbPremie);
    layout->addWidget(records);

    layout->addWidget(buttons_);

    rbMaand->setChecked(true);
    rbAlleRecords->setChecked(true);
    setOkButton();
    setFixedWidth(std::max(520, sizeHint().width()));
}

QComboBox* CleanupDialog::monthList(int n) const {
    return n == 1 ? cbFactuurmaand1 : n == 2 ? cbFactuurmaand2 : cbFactuurmaand3;
}

QRadioButton* CleanupDialog::periodChoice(CleanupSelection::Period p) const {
    switch (p) {
    case CleanupSelection::Period::Month:
        return rbMaand;
    case CleanupSelection::Period::Range:
        return rbPeriode;
    case CleanupSelection::Period::All:
        break;
    }
    return rbAlle;
}

QPushButton* CleanupDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

CleanupSelection CleanupDialog::selection() const {
    CleanupSelection s;
    s.period = rbMaand->isChecked()     ? CleanupSelection::Period::Month
               : rbPeriode->isChecked() ? CleanupSelection::Period::Range
                                        : CleanupSelection::Period::All;
    s.month = cbFactuurmaand1->currentText();
    s.from = cbFactuurmaand2->currentText();
    s.to = cbFactuurmaand3->currentText();
    const int index = cbCollectiviteiten->currentIndex();
    if (index >= 0 && size_t(index) < entries_.size()) {
        s.collectivity = entries_[size_t(index)].collectivity;
    }
    s.premiumsOnly = rbPremie->isChecked();
    return s;
}

void CleanupDialog::setOkButton() {
    cbFactuurmaand1->setEnabled(rbMaand->isChecked());
    cbFactuurmaand2->setEnabled(rbPeriode->isChecked());
    cbFactuurmaand3->setEnabled(rbPeriode->isChecked());
    okButton()->setEnabled(selection().okEnabled());
}

void CleanupDialog::accept() {
    try {
        BusyCursor busy;
        removed_ = cleanup_.execute(selection());
    } catch (const DatabaseError& e) {
        prompts_.error(e.message());
        return;
    }
    QDialog::accept();
}

} // namespace ostrapel
