#include "InspectorRows.h"

#include "core/DataSet.h"
#include "core/DisplayFormat.h"
#include "core/RecordCatalogue.h"

namespace ostrapel {

std::vector<InspectorRow> inspectorRows(const DataSet& dataSet) {
    std::vector<InspectorRow> rows;
    for (int i = 0; i < dataSet.fieldCount(); ++i)
        if (dataSet.field(i).visible) rows.push_back({dataSet.field(i).name, dataSet.field(i).displayLabel});
    return rows;
}

QString inspectorValueText(const RecordCatalogue& catalogue, const DataSet& dataSet,
                           const QString& fieldName) {
    const int at = dataSet.fieldIndex(fieldName);
    if (at < 0 || dataSet.isEmpty()) return {};
    const QVariant v = dataSet.value(dataSet.recNo(), at);
    switch (dataSet.field(at).type) {
    case FieldType::Text:
    case FieldType::Integer:
        return v.isNull() ? QString() : catalogue.decodePickValue(fieldName, v.toString());
    case FieldType::Float:
        return v.isNull() ? QString() : amountText(v.toDouble());
    case FieldType::Date:
        return formatDate(v.toDate(), kDateFormat);
    default:
        return v.toString();
    }
}

} // namespace ostrapel
