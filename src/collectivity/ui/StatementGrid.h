#pragma once

#include "StatementGridModel.h"

#include "collectivity/FieldOrderEditor.h"
#include "collectivity/SortFieldPicker.h"

#include "core/RecordCatalogue.h"

#include <QTableView>

namespace ostrapel {

// A list of the collectivity window: read-only, a marker column first, the
// column of the sort field highlighted in bold, coded values by their text.
class StatementGrid : public QTableView {
    Q_OBJECT
public:
    using Marker = StatementGridModel::Marker;
    StatementGrid(Marker marker, QWidget* parent = nullptr);

    // Lays the columns out by the plan of the record catalogue; the same plan
    // again leaves them as they are, so columns stay for the life of the window.
    void setColumns(DataSet* dataSet, const std::vector<GridColumn>& plan);
    // Back to the first column after the rows changed.
    void scrollToStart();
    StatementGridModel* dataModel() const { return model_; }
    DataSet* dataSet() const { return model_->dataSet(); }
    QString fieldOfColumn(int column) const;
    int columnOfField(const QString& field) const;
    void setSortField(const QString& field) { model_->setSortField(field); }
    const QString& sortField() const { return model_->sortField(); }
    Marker marker() const { return model_->marker(); }
    // Selects the data set's current row.
    void showCurrentRow();
    // The columns with a field, as the sort-field picker offers them.
    std::vector<SortFieldPicker::Item> sortItems() const;
    // The columns in the order the user sees them.
    std::vector<struct ColumnState> visualColumns() const;
    // Puts every column back at its own place.
    void resetVisualOrder();
    // Marks the grid active: its fixed cells turn lime.
    void setActive(bool active);

private:
    int plannedWidth(const GridColumn& column) const;

    StatementGridModel* model_;
    QStringList appliedPlan_;
};

} // namespace ostrapel
