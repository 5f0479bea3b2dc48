#pragma once

#include "core/DataSet.h"
#include "core/GridColumn.h"

#include <QString>
#include <vector>

namespace ostrapel {

// What the collectivity window keeps of one of its two lists: the rows, the
// field the list is sorted on, the stored field order and the columns it plans.
struct ListSideState {
    explicit ListSideState(const FieldDescriber* describer) : data(describer) {}

    DataSet data;
    QString sortField;  // stored as IndexField10 / IndexField50
    QString fieldOrder; // stored as FieldOrder10 / FieldOrder50
    std::vector<GridColumn> columns;
};

} // namespace ostrapel
