#include "FilterModel.h"

#include "FilterClause.h"
#include "FilterTexts.h"

#include "core/Prompts.h"
#include "core/SqlFragments.h"

namespace ostrapel {

FilterModel::FilterModel(Connection& connection, Prompts& prompts)
    : store_(connection), prompts_(prompts), clause_(kNeutralClause), windowClause_(kNeutralClause) {}

bool FilterModel::canLift() const {
    return windowClause_ != kNeutralClause;
}

void FilterModel::setCriteria(std::vector<FilterCriterion> criteria) {
    criteria_ = std::move(criteria);
    currentRow_ = criteria_.empty() ? -1 : 0;
    filterId_ = -1;
    filterName_.clear();
}

void FilterModel::setCurrentRow(int row) {
    if (row >= 0 && row < int(criteria_.size())) currentRow_ = row;
}

void FilterModel::add() {
    const std::optional<FilterCriterion> c = askCriterion(std::nullopt);
    if (!c) return;
    modified_ = true;
    FilterCriterion row = *c;
    row.FilterId = 0;
    row.FilterCritId = int(criteria_.size()) + 1;
    criteria_.push_back(row);
    currentRow_ = int(criteria_.size()) - 1;
}

void FilterModel::edit() {
    if (currentRow_ < 0) return;
    FilterCriterion& row = criteria_[size_t(currentRow_)];
    const std::optional<FilterCriterion> c = askCriterion(row);
    if (!c) return;
    modified_ = true;
    row.VeldReal = c->VeldReal;
    row.VeldDisplay = c->VeldDisplay;
    row.WaardeReal = c->WaardeReal;
    row.WaardeDisplay = c->WaardeDisplay;
    row.OperatorReal = c->OperatorReal;
    row.OperatorDisplay = c->OperatorDisplay;
    row.Filter = c->Filter;
}

void FilterModel::remove() {
    if (currentRow_ < 0) return;
    if (!prompts_.askYesNo(MsgType::Confirmation, FilterTexts::RemoveQuestion)) return;
    modified_ = true;
    criteria_.erase(criteria_.begin() + currentRow_);
    currentRow_ = std::min(currentRow_, int(criteria_.size()) - 1);
}

void FilterModel::askToSave() {
    if (modified_ && prompts_.askYesNo(MsgType::Confirmation, FilterTexts::SaveQuestion)) save();
}

void FilterModel::newFilter() {
    askToSave();
    modified_ = false;
    filterId_ = -1;
    filterName_.clear();
    criteria_.clear();
    currentRow_ = -1;
}

void FilterModel::open() {
    askToSave();
    const std::optional<int> chosen = chooseFilter(store_);
    if (!chosen) return;
    std::vector<FilterCriterion> stored = store_.criteria(*chosen);
    modified_ = false;
    filterId_ = *chosen;
    filterName_ = store_.name(*chosen);
    criteria_ = std::move(stored);
    currentRow_ = criteria_.empty() ? -1 : 0;
}

bool FilterModel::save() {
    if (filterId_ != -1) {
        try {
            store_.store(filterId_, criteria_);
            modified_ = false;
            return true;
        } catch (const FilterGone&) {
            // Deleted since it was opened: the criteria become a new filter.
            filterId_ = -1;
        }
    }
    const std::optional<Name> n = askName();
    if (!n) return false;
    filterId_ = store_.store(-1, criteria_, n->name, n->madeBy);
    filterName_ = n->name;
    // What is stored now matches the criteria, whether the filter was new or not.
    modified_ = false;
    return true;
}

QString FilterModel::apply() {
    clause_ = FilterClause::build(criteria_, filterName_);
    try {
        applyClause(clause_);
    } catch (...) {
        // Leave the window with a list it can rebuild.
        try {
            applyClause(windowClause_);
        } catch (...) {
            applyClause(kNeutralClause);
        }
        throw;
    }
    windowClause_ = clause_;
    return clause_;
}

void FilterModel::lift() {
    applyClause(kNeutralClause);
    windowClause_ = kNeutralClause;
}

} // namespace ostrapel
