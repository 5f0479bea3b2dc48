#pragma once

#include "core/DataSet.h"

#include <optional>

namespace ostrapel {

class FilterStore;
class Prompts;

// The list of stored filters to open one from, where a filter can also be deleted.
class FilterChooser {
public:
    FilterChooser(FilterStore& store, Prompts& prompts);

    DataSet& rows() { return rows_; }
    // The current row's filter number; nullopt when the list is empty.
    std::optional<int> currentId() const;
    // Asks first; false when declined or nothing to delete.
    bool deleteCurrent();

private:
    FilterStore& store_;
    Prompts& prompts_;
    DataSet rows_;
};

} // namespace ostrapel
