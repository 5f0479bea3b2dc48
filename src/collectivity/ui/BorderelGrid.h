#pragma once

#include "collectivity/FieldOrderEditor.h"
#include "core/DataSetModel.h"
#include "core/RecordCatalogue.h"

#include <QStyledItemDelegate>
#include <QTableView>

namespace ostrapel {

// A list of the collectivity window: read-only, a marker column first, the
// column of the sort field highlighted in bold, coded values by their text.
class BorderelGrid : public QTableView {
    Q_OBJECT
public:
    enum class Marker { MainInsured, Origin };
    BorderelGrid(Marker marker, QWidget* parent = nullptr);

    // Lays the columns out by the plan of the record catalogue; the same plan
    // again leaves them as they are, so columns stay for the life of the window.
    void setColumns(DataSet* dataSet, const std::vector<GridColumn>& plan);
    void refresh();
    DataSetModel* dataModel() const { return model_; }
    DataSet* dataSet() const { return model_->dataSet(); }
    QString fieldOfColumn(int column) const;
    int columnOfField(const QString& field) const;
    void setSortField(const QString& field);
    const QString& sortField() const { return sortField_; }
    Marker marker() const { return marker_; }
    // Selects the data set's current row.
    void showCurrentRow();
    // The columns in the order the user sees them.
    std::vector<struct ColumnState> visualColumns() const;
    // Puts every column back at its own place.
    void resetVisualOrder();
    // Marks the grid active: its fixed cells turn lime.
    void setActive(bool active);

private:
    int plannedWidth(const GridColumn& column) const;

    DataSetModel* model_;
    QStringList appliedPlan_;
    Marker marker_;
    QString sortField_;
};

} // namespace ostrapel
