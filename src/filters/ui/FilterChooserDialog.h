#pragma once

#include "filters/FilterChooser.h"

#include <QDialog>

class QPushButton;
class QTableView;
class QToolButton;

namespace ostrapel {

class DataSetModel;

// "Kies een filter": the stored filters, with a navigator that also deletes one.
class FilterChooserDialog : public QDialog {
    Q_OBJECT
public:
    FilterChooserDialog(FilterStore& store, Prompts& prompts, QWidget* parent = nullptr);
    std::optional<int> chosenId() const { return chooser_.currentId(); }

    QTableView* grid;
    QToolButton* btnFirst;
    QToolButton* btnPrior;
    QToolButton* btnNext;
    QToolButton* btnLast;
    QToolButton* btnDelete;

private:
    void reload();
    void showCurrent();

    FilterChooser chooser_;
    DataSetModel* model_;
    QPushButton* btnOk_ = nullptr;
    Prompts& prompts_;
};

} // namespace ostrapel
