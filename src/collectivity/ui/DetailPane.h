#pragma once

#include <QTableWidget>

namespace ostrapel {

class DataSet;
class RecordCatalogue;

// A two-column field/value grid bound to one data set: one row per visible
// field with its caption and the current row's value.
class DetailPane : public QTableWidget {
    Q_OBJECT
public:
    DetailPane(const RecordCatalogue& catalogue, QWidget* parent = nullptr);

    void setDataSet(DataSet* dataSet) { dataSet_ = dataSet; }
    // The pane whose hiding stops filling and fitting; none: always filled.
    void setPane(QWidget* pane);
    DataSet* dataSet() const { return dataSet_; }
    void rebuildRows();
    void fillValues();
    // Fits the pane to its rows: all of them, or as many whole rows as fit with a vertical scroll bar.
    void fitHeight();
    int rowHeight() const;
    void rebuildFillFit();
    QString fieldOfRow(int row) const;
    QString valueOfField(const QString& field) const;
    // Moves the selected row, within the rows.
    void moveSelection(int delta);
    void selectEdge(bool last);

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const RecordCatalogue& catalogue_;
    DataSet* dataSet_ = nullptr;
    QWidget* pane_ = nullptr;
};

} // namespace ostrapel
