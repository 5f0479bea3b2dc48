#pragma once

#include <QString>

namespace ostrapel {

// One condition of a filter, with the SQL it stands for ready made. The fields
// are those of a FilterCrits row, in its order.
struct FilterCriterion {
    int FilterId = 0; // the stored filter the row came from; 0 for a new row
    int FilterCritId = 0;
    QString VeldReal;      // "ID04", "1002"
    QString VeldDisplay;   // the field's caption
    QString WaardeReal;    // pick-list code, else the value as typed
    QString WaardeDisplay; // the value as typed or picked
    int OperatorReal = 0;  // position in the field's operator list
    QString OperatorDisplay;
    QString Filter; // the condition, e.g. [1002]='Jansen'

    bool operator==(const FilterCriterion&) const = default;
};

} // namespace ostrapel
