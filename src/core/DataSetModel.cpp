#include "DataSetModel.h"

#include "DatabaseError.h"

namespace ostrapel {

DataSetModel::~DataSetModel() {
    if (dataSet_) dataSet_->removeObserver(this);
}

void DataSetModel::setDataSet(DataSet* dataSet) {
    beginResetModel();
    if (dataSet_) dataSet_->removeObserver(this);
    dataSet_ = dataSet;
    if (dataSet_) dataSet_->addObserver(this);
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

void DataSetModel::dataSetAboutToReload() {
    beginResetModel();
    readFailed_ = false;
}

void DataSetModel::dataSetReloaded() {
    if (!explicitColumns_) defaultColumns();
    endResetModel();
}

void DataSetModel::dataSetFieldsChanged() {
    dataSetAboutToReload();
    dataSetReloaded();
}

void DataSetModel::dataSetDestroyed() {
    beginResetModel();
    dataSet_ = nullptr;
    columns_.clear();
    endResetModel();
}

void DataSetModel::dataSetAboutToSort() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    persistent_ = persistentIndexList();
    persistentStored_.clear();
    for (const QModelIndex& i : persistent_)
        persistentStored_.push_back(dataSet_->storedRow(i.row()));
}

void DataSetModel::dataSetSorted() {
    // Persistent indexes (the current row, the selection) follow their rows.
    std::vector<int> displayOf(size_t(dataSet_->recordCount()));
    for (int r = 0; r < dataSet_->recordCount(); ++r)
        displayOf[size_t(dataSet_->storedRow(r))] = r;
    QModelIndexList to;
    for (int k = 0; k < persistent_.size(); ++k)
        to << index(displayOf[size_t(persistentStored_[size_t(k)])], persistent_[k].column());
    changePersistentIndexList(persistent_, to);
    persistent_.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
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
    if (!dataSet_ || !index.isValid() || readFailed_) return {};
    try {
        return cellData(index, role);
    } catch (const DatabaseError& e) {
        // Painting cannot show a message: the window does, after this paint.
        readFailed_ = true;
        auto* self = const_cast<DataSetModel*>(this);
        QMetaObject::invokeMethod(
            self, [self, text = e.message()] { emit self->readFailed(text); }, Qt::QueuedConnection);
        return {};
    }
}

QVariant DataSetModel::cellData(const QModelIndex& index, int role) const {
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
