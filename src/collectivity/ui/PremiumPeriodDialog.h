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

    QString periodSetting() const { return choice_.result(); }
    const PeriodChoice& choice() const { return choice_; }
    QRadioButton* rbAlles;
    QRadioButton* rbMaand;
    QRadioButton* rbPeriode;
    QComboBox* cbFactuurmaand1;
    QComboBox* cbFactuurmaand2;
    QComboBox* cbFactuurmaand3;
    QPushButton* okButton() const;

private:
    void updateChoice();
    PeriodChoice choice_;
    QDialogButtonBox* buttons_;
};

} // namespace ostrapel
