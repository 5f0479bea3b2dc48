#pragma once

#include "collectivity/PeriodChoice.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QRadioButton;

namespace ostrapel {

// "Kies periode": everything, one invoice month, or a range of months.
class PremiumPeriodDialog : public QDialog {
    Q_OBJECT
public:
    PremiumPeriodDialog(const QStringList& months, const QString& currentSetting, QWidget* parent = nullptr);

    QString result() const { return choice_.result(); }
    const PeriodChoice& choice() const { return choice_; }
    QRadioButton* rbAlles;
    QRadioButton* rbMaand;
    QRadioButton* rbPeriode;
    QComboBox* cbFactuurmaand1;
    QComboBox* cbFactuurmaand2;
    QComboBox* cbFactuurmaand3;
    QPushButton* okButton() const;

private:
    void update();
    PeriodChoice choice_;
    QDialogButtonBox* buttons_;
};

// "Kies periode" for two months to compare (the renewal differences report).
class PeriodDialog : public QDialog {
    Q_OBJECT
public:
    PeriodDialog(const QStringList& months, class Prompts& prompts, QWidget* parent = nullptr);
    QString fromMonth() const { return choice_.from; }
    QString toMonth() const { return choice_.to; }
    QComboBox* cbMaandVan;
    QComboBox* cbMaandTot;
    QPushButton* okButton() const;
    void accept() override;

private:
    void update();
    ComparisonChoice choice_;
    Prompts& prompts_;
    QDialogButtonBox* buttons_;
};

} // namespace ostrapel
