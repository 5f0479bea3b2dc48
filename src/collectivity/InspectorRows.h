#pragma once

#include <QString>
#include <vector>

namespace ostrapel {

class DataSet;
class RecordCatalogue;

// The rows of a detail pane: every visible field of a data set, in field
// order, with its caption, and the value text of the current row.
struct InspectorRow {
    QString fieldName;
    QString caption;
};
std::vector<InspectorRow> inspectorRows(const DataSet& dataSet);
// Codes by their description, amounts as AmountText, dates dd-mm-yyyy;
// nullopt-like empty for an unknown field.
QString inspectorValueText(const RecordCatalogue& catalogue, const DataSet& dataSet,
                           const QString& fieldName);

} // namespace ostrapel
