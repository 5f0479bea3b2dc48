#pragma once

#include "filters/CriterionWizard.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace ostrapel {

class Prompts;

// "Filter criterium": one criterion in three steps, field, operator and value,
// one page at a time.
class FilterCriterionDialog : public QDialog {
    Q_OBJECT
public:
    FilterCriterionDialog(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                          QWidget* parent = nullptr);

    // Opens on the value page with the criterion's field, operator and value.
    void preset(const FilterCriterion& criterion);
    // Set when the dialog closed with OK.
    const std::optional<FilterCriterion>& criterion() const { return criterion_; }
    CriterionWizard& wizard() { return wizard_; }

    void goNext();
    void goPrevious();
    void finish();

    QStackedWidget* pages;
    QListWidget* lstVeld;
    QComboBox* cmbOperator;
    QComboBox* cmbWaarde;
    QPushButton* btnVorige;
    QPushButton* btnVolgende;
    QPushButton* btnAnnuleren;
    QPushButton* btnKlaar;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* page(const QString& step, const QString& prompt, QWidget* control);
    void syncControls();       // the wizard's state into the controls
    int selectedField() const; // -1: none
    void fillOperators();
    void fillValue();

    CriterionWizard wizard_;
    Prompts& prompts_;
    std::optional<FilterCriterion> criterion_;
    int operatorsShown_ = 0;
    int valueShown_ = 0;
    bool showing_ = false;
};

} // namespace ostrapel
