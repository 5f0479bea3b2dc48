#include "StatementGridModel.h"

#include "MarkerImages.h"

#include "core/RecordField.h"

#include <QBrush>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace ostrapel {

StatementGridModel::StatementGridModel(Marker marker, QObject* parent)
    : DataSetModel(parent), marker_(marker) {}

void StatementGridModel::setSortField(const QString& field) {
    if (field.compare(sortField_, Qt::CaseInsensitive) == 0) return;
    sortField_ = field;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int StatementGridModel::markerOf(int row) const {
    const DataSet* ds = dataSet();
    if (!ds || row < 0 || row >= ds->recordCount()) return -1;
    if (marker_ == Marker::MainInsured) {
        const QVariant unit = ds->value(row, ds->fieldIndex(Field::UnitKey));
        const QVariant person = ds->value(row, ds->fieldIndex(Field::PersonKey));
        return !unit.isNull() && unit.toString() == person.toString() ? 0 : -1;
    }
    const QString origin = ds->value(row, ds->fieldIndex(Field::Origin)).toString();
    return origin.isEmpty() ? -1 : std::clamp(origin.toInt(), 1, 3);
}

QVariant StatementGridModel::cellData(const QModelIndex& index, int role) const {
    const int field = fieldIndexOfColumn(index.column());
    if (field < 0) { // the marker column
        switch (role) {
        case Qt::DecorationRole:
            if (const int m = markerOf(index.row()); m >= 0) return markerImage(m);
            return {};
        case Qt::BackgroundRole:
            // a component without an origin keeps the list's own colour
            if (marker_ == Marker::Origin && markerOf(index.row()) < 0) return {};
            return QGuiApplication::palette().brush(QPalette::Dark);
        default:
            return {};
        }
    }
    const bool sortColumn = dataSet()->field(field).name.compare(sortField_, Qt::CaseInsensitive) == 0;
    if (sortColumn && role == Qt::BackgroundRole) return QBrush(sortColumnColour());
    if (sortColumn && role == Qt::FontRole) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return DataSetModel::cellData(index, role);
}

} // namespace ostrapel
