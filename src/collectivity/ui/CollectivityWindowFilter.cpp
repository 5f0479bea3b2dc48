#include "CollectivityWindow.h"

#include "filters/ui/FilterListDialog.h"

namespace ostrapel {

void CollectivityWindow::editFilter() {
    FilterListDialog dialog(state_.connection(), catalogue_, prompts_, this);
    dialog.setCriteria(filterCriteria_);
    dialog.setWindowClause(state_.filterClause());
    dialog.setApplyClause([this](const QString& clause) {
        state_.applyFilterClause(clause);
        refreshPersons();
    });
    if (dialog.exec() == QDialog::Accepted) filterCriteria_ = dialog.criteria();
}

} // namespace ostrapel
