#pragma once

#include "maintenance/Cleanup.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDialogButtonBox;
class QPushButton;
class QRadioButton;

namespace ostrapel {

class Connection;
class Prompts;

// "Opschonen": which collectivity, which months and which records to delete.
class CleanupDialog : public QDialog {
    Q_OBJECT
public:
    CleanupDialog(Connection& connection, Prompts& prompts, QWidget* parent = nullptr);

    // The choices as they stand.
    CleanupSelection selection() const;
    QComboBox* collectivities() const { return cbCollectiviteiten; }
    QComboBox* monthList(int n) const; // 1, 2 or 3 as named
    QRadioButton* periodChoice(CleanupSelection::Period p) const;
    QRadioButton* premiumsOnlyChoice() const { return rbPremie; }
    QPushButton* okButton() const;
    // What the deletes of an accepted dialog removed.
    const Cleanup::Removed& removed() const { return removed_; }

public slots:
    // Deletes the chosen rows; a failure is shown and the dialog stays open.
    void accept() override;

private:
    void setOkButton();

    Cleanup cleanup_;
    Cleanup::Removed removed_;
    Prompts& prompts_;
    std::vector<Cleanup::Entry> entries_;
    QComboBox* cbCollectiviteiten;
    QComboBox* cbFactuurmaand1;
    QComboBox* cbFactuurmaand2;
    QComboBox* cbFactuurmaand3;
    QRadioButton* rbMaand;
    QRadioButton* rbPeriode;
    QRadioButton* rbAlle;
    QRadioButton* rbAlleRecords;
    QRadioButton* rbPremie;
    QDialogButtonBox* buttons_;
};

} // namespace ostrapel
