#pragma once

#include "core/DataSetModel.h"

#include <QColor>

namespace ostrapel {

// The model of a collectivity list: the marker column shows the main insured
// of a unit or the origin of a component as an image, and the column of the
// sort field reads bold on its own colour.
class StatementGridModel : public DataSetModel {
    Q_OBJECT
public:
    enum class Marker { MainInsured, Origin };
    explicit StatementGridModel(Marker marker, QObject* parent = nullptr);

    Marker marker() const { return marker_; }
    void setSortField(const QString& field);
    const QString& sortField() const { return sortField_; }
    // The marker image of a row: 0 main insured, 1-3 an origin; -1 none.
    int markerOf(int row) const;

    // The sort column's colour, 12569282 as the program has always written it.
    static QColor sortColumnColour() { return QColor(194, 202, 191); }

protected:
    QVariant cellData(const QModelIndex& index, int role) const override;

private:
    Marker marker_;
    QString sortField_;
};

} // namespace ostrapel
