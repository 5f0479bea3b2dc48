#include "FilterCriterionDialog.h"

#include "ValueValidator.h"

#include "core/Prompts.h"
#include "filters/FilterTexts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ostrapel {

using Page = CriterionWizard::Page;

FilterCriterionDialog::FilterCriterionDialog(Connection& connection, const RecordCatalogue& catalogue,
                                             Prompts& prompts, QWidget* parent)
    : QDialog(parent), pages(new QStackedWidget(this)), lstVeld(new QListWidget(this)),
      cmbOperator(new QComboBox(this)), cmbWaarde(new QComboBox(this)), wizard_(connection, catalogue),
      prompts_(prompts) {
    setObjectName(QStringLiteral("DlgFilterCrit"));
    setWindowTitle(FilterTexts::CriterionCaption);
    lstVeld->setObjectName(QStringLiteral("lstVeld"));
    cmbOperator->setObjectName(QStringLiteral("cmbOperator"));
    cmbWaarde->setObjectName(QStringLiteral("cmbWaarde"));
    for (const CriterionWizard::Field& f : wizard_.fields())
        lstVeld->addItem(f.display);
    cmbWaarde->setInsertPolicy(QComboBox::NoInsert);

    pages->addWidget(page(QStringLiteral("1"), FilterTexts::PromptField, lstVeld));
    pages->addWidget(page(QStringLiteral("2"), FilterTexts::PromptOperator, cmbOperator));
    pages->addWidget(page(QStringLiteral("3"), FilterTexts::PromptValue, cmbWaarde));
    pages->addWidget(page(FilterTexts::StepFinish, QString(), nullptr));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    auto* bar = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    bar->addStretch(1);
    btnVorige = button("btnVorige", QStringLiteral("< Vorige"));
    btnVolgende = button("btnVolgende", QStringLiteral("Volgende >"));
    btnAnnuleren = button("btnAnnuleren", QStringLiteral("Annuleren"));
    btnKlaar = button("btnKlaar", QStringLiteral("Klaar"));
    layout->addLayout(bar);

    connect(btnVorige, &QPushButton::clicked, this, &FilterCriterionDialog::goPrevious);
    connect(btnVolgende, &QPushButton::clicked, this, &FilterCriterionDialog::goNext);
    connect(btnAnnuleren, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnKlaar, &QPushButton::clicked, this, &FilterCriterionDialog::finish);
    // A field is chosen by selecting it. The list makes its first row current,
    // unselected, when it gets the focus; that is no choice.
    lstVeld->setSelectionMode(QAbstractItemView::SingleSelection);
    lstVeld->setCurrentIndex(QModelIndex()); // so the first arrow key chooses the first field
    connect(lstVeld, &QListWidget::itemSelectionChanged, this, [this] {
        if (showing_) return;
        wizard_.chooseField(selectedField());
        syncControls();
    });
    connect(cmbOperator, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_) return;
        wizard_.chooseOperator(index);
        syncControls();
    });
    connect(cmbWaarde, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (showing_) return;
        wizard_.setValueText(text);
        syncControls();
    });

    // The dialog sees Enter, Escape and the page keys before its controls do.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    syncControls();
    resize(360, 300);
}

QWidget* FilterCriterionDialog::page(const QString& step, const QString& prompt, QWidget* control) {
    auto* p = new QWidget(pages);
    auto* row = new QHBoxLayout(p);
    auto* mark = new QLabel(step, p);
    QFont big = mark->font();
    big.setPointSize(48);
    big.setBold(true);
    mark->setFont(big);
    mark->setStyleSheet(QStringLiteral("color: #a0a0a0;"));
    mark->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    row->addWidget(mark);
    auto* column = new QVBoxLayout;
    if (control) {
        auto* label = new QLabel(prompt, p);
        label->setBuddy(control);
        column->addWidget(label);
        column->addWidget(control, control == lstVeld ? 1 : 0);
    }
    column->addStretch(control == lstVeld ? 0 : 1);
    row->addLayout(column, 1);
    return p;
}

void FilterCriterionDialog::fillOperators() {
    cmbOperator->clear();
    cmbOperator->addItems(wizard_.operators());
    operatorsShown_ = wizard_.operatorsFilled();
}

void FilterCriterionDialog::fillValue() {
    using Input = CriterionWizard::ValueInput;
    const Input input = wizard_.valueInput();
    cmbWaarde->clear();
    cmbWaarde->setEditable(input != Input::PickList);
    // No completion: "Begint met Jan" must not silently become "Jansen".
    if (cmbWaarde->isEditable()) cmbWaarde->setCompleter(nullptr);
    cmbWaarde->addItems(wizard_.valueItems());
    cmbWaarde->setMaxVisibleItems(std::max(1, wizard_.valueRows()));
    if (QLineEdit* edit = cmbWaarde->lineEdit()) {
        edit->setMaxLength(CriterionWizard::kValueLength);
        edit->setValidator(input == Input::Text ? nullptr : new ValueValidator(input, edit));
        edit->installEventFilter(this);
    }
    cmbWaarde->setCurrentIndex(-1);
    cmbWaarde->setEditText(QString());
    valueShown_ = wizard_.valueFilled();
}

void FilterCriterionDialog::syncControls() {
    showing_ = true;
    if (operatorsShown_ != wizard_.operatorsFilled()) fillOperators();
    if (valueShown_ != wizard_.valueFilled()) fillValue();
    if (selectedField() != wizard_.fieldIndex()) {
        if (wizard_.fieldIndex() < 0)
            lstVeld->clearSelection();
        else
            lstVeld->setCurrentRow(wizard_.fieldIndex(), QItemSelectionModel::ClearAndSelect);
    }
    if (cmbOperator->currentIndex() != wizard_.operatorIndex())
        cmbOperator->setCurrentIndex(wizard_.operatorIndex());
    if (cmbWaarde->currentText() != wizard_.valueText()) {
        const int index = cmbWaarde->findText(wizard_.valueText(), Qt::MatchExactly);
        if (cmbWaarde->isEditable())
            cmbWaarde->setEditText(wizard_.valueText());
        else
            cmbWaarde->setCurrentIndex(index);
    }
    showing_ = false;
    const int shown = pages->currentIndex();
    pages->setCurrentIndex(int(wizard_.page()));
    btnVorige->setEnabled(wizard_.previousEnabled());
    btnVolgende->setEnabled(wizard_.nextEnabled());
    btnKlaar->setEnabled(wizard_.finishEnabled());
    if (shown != pages->currentIndex()) {
        QWidget* focus[] = {lstVeld, cmbOperator, cmbWaarde, btnKlaar};
        focus[pages->currentIndex()]->setFocus();
    }
}

int FilterCriterionDialog::selectedField() const {
    const QList<QListWidgetItem*> selected = lstVeld->selectedItems();
    return selected.isEmpty() ? -1 : lstVeld->row(selected.first());
}

void FilterCriterionDialog::preset(const FilterCriterion& criterion) {
    wizard_.presetField(criterion.VeldReal);
    wizard_.presetOperator(criterion.OperatorReal);
    wizard_.presetValue(criterion.WaardeReal);
    syncControls();
}

void FilterCriterionDialog::goNext() {
    wizard_.next();
    syncControls();
}

void FilterCriterionDialog::goPrevious() {
    wizard_.previous();
    syncControls();
}

void FilterCriterionDialog::finish() {
    if (!wizard_.finishEnabled()) return;
    QString error;
    criterion_ = wizard_.result(&error);
    if (!criterion_) {
        // The dialog stays open so the value can be corrected.
        if (!error.isEmpty()) prompts_.error(error);
        return;
    }
    accept();
}

bool FilterCriterionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    switch (wizard_.keyAction(key)) {
    case CriterionWizard::KeyAction::Next:
        goNext();
        return true;
    case CriterionWizard::KeyAction::Previous:
        goPrevious();
        return true;
    case CriterionWizard::KeyAction::Finish:
        finish();
        return true;
    case CriterionWizard::KeyAction::Cancel:
        reject();
        return true;
    case CriterionWizard::KeyAction::None:
        break;
    }
    // Enter and the page keys are the dialog's, also while their button is disabled.
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown || QDialog::eventFilter(watched, event);
}

} // namespace ostrapel
