#pragma once

#include "FilterCriterion.h"
#include "FilterStore.h"

#include <functional>
#include <optional>
#include <vector>

namespace ostrapel {

class Prompts;

// The filter dialog without its widgets: the criteria being edited, the stored
// filter they came from, and the commands of the dialog. The dialogs it needs
// (criterion, choose, name) and the window it filters come in as callbacks.
class FilterModel {
public:
    struct Name {
        QString name;
        QString madeBy;
    };

    FilterModel(Connection& connection, Prompts& prompts);

    // Criteria handed in by the window; they belong to no stored filter.
    void setCriteria(std::vector<FilterCriterion> criteria);
    // The clause the window filters its persons with now.
    void setWindowClause(const QString& clause) { windowClause_ = clause; }
    QString windowClause() const { return windowClause_; }
    const std::vector<FilterCriterion>& criteria() const { return criteria_; }
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int row);
    bool modified() const { return modified_; }
    int filterId() const { return filterId_; }
    QString clause() const { return clause_; }

    // Command states.
    bool hasCriteria() const { return !criteria_.empty(); } // Nieuw, Bewerken, Verwijderen
    bool canSave() const { return modified_; }
    bool canLift() const;

    void add();
    void edit();
    void remove();
    void newFilter();
    void open();
    // False when the name was asked for and cancelled; throws DatabaseError.
    bool save();
    // The clause of the criteria, handed to the window. When the window's
    // database rejects it the window gets its former clause back and the
    // error is thrown on.
    QString apply();
    void lift();

    // An empty criterion (nullopt) or one to edit; nullopt back when cancelled.
    std::function<std::optional<FilterCriterion>(const std::optional<FilterCriterion>&)> askCriterion;
    std::function<std::optional<int>(FilterStore&)> chooseFilter;
    std::function<std::optional<Name>()> askName;
    std::function<void(const QString&)> applyClause; // the window's

private:
    void askToSave();

    FilterStore store_;
    Prompts& prompts_;
    std::vector<FilterCriterion> criteria_;
    int currentRow_ = -1;
    bool modified_ = false;
    int filterId_ = -1;
    QString filterName_; // of the stored filter opened or saved, for messages
    QString clause_;
    QString windowClause_;
};

} // namespace ostrapel
