#include "FilterChooser.h"

#include "FilterStore.h"
#include "FilterTexts.h"

#include "core/Prompts.h"

namespace ostrapel {

FilterChooser::FilterChooser(FilterStore& store, Prompts& prompts)
    : store_(store), prompts_(prompts), rows_(store.list()) {
    rows_.first();
}

std::optional<int> FilterChooser::currentId() const {
    if (rows_.isEmpty()) return std::nullopt;
    return rows_.value(QStringLiteral("FilterId")).toInt();
}

bool FilterChooser::deleteCurrent() {
    const std::optional<int> id = currentId();
    if (!id || !prompts_.askYesNo(MsgType::Confirmation, FilterTexts::DeleteFilterQuestion)) return false;
    const int row = rows_.recNo();
    store_.remove(*id);
    rows_ = store_.list();
    if (!rows_.isEmpty()) rows_.setRecNo(std::min(row, rows_.recordCount() - 1));
    return true;
}

} // namespace ostrapel
