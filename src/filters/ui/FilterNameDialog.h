#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ostrapel {

// "Filter opslaan": the name a new filter is stored under and who made it.
class FilterNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit FilterNameDialog(QWidget* parent = nullptr);
    QString name() const;
    QString madeBy() const;

    QLineEdit* editNaam;
    QLineEdit* editGemaaktDoor;
    QPushButton* btnOk;
};

} // namespace ostrapel
