#pragma once

#include "filters/FilterModel.h"

#include <QDialog>
#include <functional>

class QAction;
class QPushButton;
class QTableWidget;

namespace ostrapel {

class RecordCatalogue;

// "Filter": the criteria a collectivity window filters its persons with, to
// compose, store, open, apply and lift.
class FilterListDialog : public QDialog {
    Q_OBJECT
public:
    FilterListDialog(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                     QWidget* parent = nullptr);

    // From the window: its criteria copy, its current clause and how it applies one.
    void setCriteria(std::vector<FilterCriterion> criteria);
    void setWindowClause(const QString& clause);
    void setApplyClause(std::function<void(const QString&)> apply) { model_.applyClause = std::move(apply); }
    const std::vector<FilterCriterion>& criteria() const { return model_.criteria(); }
    FilterModel& model() { return model_; }

    QAction* actNieuw;
    QAction* actToevoegen;
    QAction* actBewerken;
    QAction* actVerwijderen;
    QAction* actOpenen;
    QAction* actBewaren;
    QTableWidget* grdCriteria;
    QPushButton* btnToepassen;
    QPushButton* btnOpheffen;
    QPushButton* btnSluiten;

private:
    // A command, then the grid and the command states anew; errors are shown.
    bool run(const std::function<void()>& command);
    void refresh();

    Connection& connection_;
    const RecordCatalogue& catalogue_;
    Prompts& prompts_;
    FilterModel model_;
};

} // namespace ostrapel
