#pragma once

#include "collectivity/ComparisonChoice.h"
#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QPushButton;

namespace ostrapel {

class Prompts;

// "Kies periode" for two months to compare (the renewal differences report).
class PeriodDialog : public QDialog {
    Q_OBJECT
public:
    PeriodDialog(const QStringList& months, Prompts& prompts, QWidget* parent = nullptr);
    QString fromMonth() const { return choice_.from; }
    QString toMonth() const { return choice_.to; }
    QComboBox* cbMaandVan;
    QComboBox* cbMaandTot;
    QPushButton* okButton() const;
    void accept() override;

private:
    void updateChoice();
    ComparisonChoice choice_;
    Prompts& prompts_;
    QDialogButtonBox* buttons_;
};

} // namespace ostrapel
