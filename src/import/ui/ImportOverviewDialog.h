#pragma once

#include "import/ImportOverview.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace ostrapel {

class Prompts;

// "Import overzicht": one panel per statement file with the figures its control
// record states beside the figures counted, and a tick to import it.
class ImportOverviewDialog : public QDialog {
    Q_OBJECT
public:
    ImportOverviewDialog(Prompts& prompts, QWidget* parent = nullptr);

    void fillFromSummaries(std::vector<StatementSummary>& summaries);
    QPushButton* selectAllButton() const { return btnAlles_; }
    QCheckBox* importBox(int row) const { return boxes_[size_t(row)]; }
    int goodCount() const { return overview_ ? overview_->goodCount() : 0; }

    void accept() override;

private:
    QWidget* buildPanel(int row);
    void syncBoxes();

    Prompts& prompts_;
    std::unique_ptr<ImportOverview> overview_;
    QPushButton* btnAlles_;
    QVBoxLayout* panels_;
    QScrollArea* scroll_;
    std::vector<QCheckBox*> boxes_;
};

// Shows the overview modally; true when confirmed with at least one good file.
bool showOverview(Prompts& prompts, std::vector<StatementSummary>& summaries, QWidget* parent);

} // namespace ostrapel
