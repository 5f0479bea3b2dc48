#include "PremiumPeriodDialog.h"

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

QDialogButtonBox* okCancel(QDialog* d) {
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    b->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuleren"));
    QObject::connect(b, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return b;
}

QComboBox* monthList(const QStringList& months, const QString& selected, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->addItems(months);
    c->setCurrentIndex(selected.isEmpty() ? -1 : int(months.indexOf(selected)));
    return c;
}

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
    buttons_ = okCancel(this);
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
        connect(r, &QRadioButton::toggled, this, [this] { update(); });
    for (QComboBox* c : {cbFactuurmaand1, cbFactuurmaand2, cbFactuurmaand3})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { update(); });
    update();
    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

QPushButton* PremiumPeriodDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

void PremiumPeriodDialog::update() {
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
    buttons_ = okCancel(this);
    layout->addWidget(buttons_);
    for (QComboBox* c : {cbMaandVan, cbMaandTot})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { update(); });
    update();
    setFixedSize(sizeHint());
}

QPushButton* PeriodDialog::okButton() const {
    return buttons_->button(QDialogButtonBox::Ok);
}

void PeriodDialog::update() {
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
