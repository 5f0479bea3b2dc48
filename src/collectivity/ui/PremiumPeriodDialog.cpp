#include "PremiumPeriodDialog.h"

#include "MonthList.h"

#include "widgets/DialogButtons.h"

#include "collectivity/CollectivityTexts.h"

#include "core/Prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ostrapel {

namespace {

// Disabled lists read in the inactive-caption colour, enabled ones in window text.
void enableList(QComboBox* c, bool on) {
    c->setEnabled(on);
    QPalette p = c->palette();
    p.setColor(QPalette::Text, on ? c->palette().color(QPalette::Active, QPalette::WindowText)
                                  : c->palette().color(QPalette::Disabled, QPalette::WindowText));
    c->setPalette(p);
}

} // namespace

PremiumPeriodDialog::PremiumPeriodDialog(const QStringList& months, const QString& currentSetting,
                                         QWidget* parent)
    : QDialog(parent), choice_(months, currentSetting) {
    setWindowTitle(CollectivityTexts::KiesPeriode);
    auto* layout = new QVBoxLayout(this);
    auto* text =
        new QLabel(QStringLiteral("Kies het aantal maanden waarover er, vanaf vandaag teruggerekend, "
                                  "premieactiviteit is geweest in de verzekeringseenheid."),
                   this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* group = new QGroupBox(QStringLiteral(" Periode "), this);
    auto* g = new QGridLayout(group);
    rbAlles = new QRadioButton(QStringLiteral("Alles"), group);
    rbMaand = new QRadioButton(QStringLiteral("Maand"), group);
    rbPeriode = new QRadioButton(QStringLiteral("Periode van"), group);
    cbFactuurmaand1 = monthList(choice_.months(), choice_.month, group);
    cbFactuurmaand2 = monthList(choice_.months(), choice_.from, group);
    cbFactuurmaand3 = monthList(choice_.months(), choice_.to, group);
    g->addWidget(rbAlles, 0, 0);
    g->addWidget(rbMaand, 1, 0);
    g->addWidget(cbFactuurmaand1, 1, 1);
    g->addWidget(rbPeriode, 2, 0);
    g->addWidget(cbFactuurmaand2, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("t/m"), group), 2, 2);
    g->addWidget(cbFactuurmaand3, 2, 3);
    layout->addWidget(group);
    buttons_ = okCancelButtons(this);
    layout->addWidget(buttons_);
    switch (choice_.choice) {
    case PeriodChoice::Choice::Alles:
        rbAlles->setChecked(true);
        break;
    case PeriodChoice::Choice::Maand:
        rbMaand->setChecked(true);
        break;
    case PeriodChoice::Choice::PeriodeVan:
        rbPeriode->setChecked(true);
        break;
    }
    for (QRadioButton* r : {rbAlles, rbMaand, rbPeriode})
        connect(r, &QRadioButton::toggled, this, [this] { updateChoice(); });
    for (QComboBox* c : {cbFactuurmaand1, cbFactuurmaand2, cbFactuurmaand3})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { updateChoice(); });
    updateChoice();
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

QPushButton* PremiumPeriodDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

void PremiumPeriodDialog::updateChoice() {
    choice_.choice = rbMaand->isChecked()     ? PeriodChoice::Choice::Maand
                     : rbPeriode->isChecked() ? PeriodChoice::Choice::PeriodeVan
                                              : PeriodChoice::Choice::Alles;
    choice_.month = cbFactuurmaand1->currentText();
    choice_.from = cbFactuurmaand2->currentText();
    choice_.to = cbFactuurmaand3->currentText();
    enableList(cbFactuurmaand1, choice_.choice == PeriodChoice::Choice::Maand);
    enableList(cbFactuurmaand2, choice_.choice == PeriodChoice::Choice::PeriodeVan);
    enableList(cbFactuurmaand3, choice_.choice == PeriodChoice::Choice::PeriodeVan);
    okButton()->setEnabled(choice_.okEnabled());
}

} // namespace ostrapel
