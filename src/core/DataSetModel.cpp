#include "DataSetModel.h"

namespace ostrapel {

void DataSetModel::setDataSet(DataSet* dataSet) {
    beginResetModel();
    dataSet_ = dataSet;
    explicitColumns_ = false;
    defaultColumns();
    endResetModel();
}

void DataSetModel::setColumns(const QVector<int>& fieldIndexes) {
    beginResetModel();
    columns_ = fieldIndexes;
    explicitColumns_ = true;
    endResetModel();
}

int DataSetModel::fieldIndexOfColumn(int column) const {
    return column >= 0 && column < columns_.size() ? columns_[column] : -1;
}

void DataSetModel::refresh() {
    beginResetModel();
    if (!explicitColumns_) defaultColumns();
    endResetModel();
}

void DataSetModel::defaultColumns() {
    columns_.clear();
    if (!dataSet_) return;
    for (int i = 0; i < dataSet_->fieldCount(); ++i)
        if (dataSet_->field(i).visible) columns_ << i;
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !dataSet_ ? 0 : dataSet_->recordCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !dataSet_ ? 0 : int(columns_.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!dataSet_ || !index.isValid()) return {};
    const int field = fieldIndexOfColumn(index.column());
    if (field < 0 || field >= dataSet_->fieldCount()) return {}; // the marker column has no field
    switch (role) {
    case Qt::DisplayRole:
        return dataSet_->displayText(index.row(), field);
    case Qt::EditRole:
        return dataSet_->value(index.row(), field);
    case Qt::TextAlignmentRole: {
        const FieldType t = dataSet_->field(field).type;
        if (t == FieldType::Float || t == FieldType::Integer)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || !dataSet_) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const int field = fieldIndexOfColumn(section);
    if (field < 0 && section >= 0 && section < columns_.size())
        return QStringLiteral(" "); // the marker column
    return field < 0 || field >= dataSet_->fieldCount() ? QVariant()
                                                        : QVariant(dataSet_->field(field).displayLabel);
}

} // namespace ostrapel
