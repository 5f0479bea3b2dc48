#pragma once

#include "DataSet.h"

#include <QAbstractTableModel>
#include <QVector>

namespace ostrapel {

// Table model over a DataSet for the grids: one column per shown field, cells
// with the field's display text. The data set is owned elsewhere.
// The data set tells the model of a reload or sort before and after it happens.
class DataSetModel : public QAbstractTableModel, private DataSetObserver {
    Q_OBJECT
public:
    explicit DataSetModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    ~DataSetModel() override;

    void setDataSet(DataSet* dataSet);
    DataSet* dataSet() const { return dataSet_; }
    // Fields shown as columns, by field index (-1: a marker column without a field);
    // without a call: every visible field.
    void setColumns(const QVector<int>& fieldIndexes);
    int fieldIndexOfColumn(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // A cell as cellData() gives it; a read the engine fails is reported, never thrown into painting.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const final;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The engine could not give the rows to paint; after the first failure the
    // cells stay empty until the next reload, so painting does not ask again.
    void readFailed(const QString& message);

protected:
    // The cell of a valid index; may throw DatabaseError.
    virtual QVariant cellData(const QModelIndex& index, int role) const;

private:
    void defaultColumns();
    void dataSetAboutToReload() override;
    void dataSetReloaded() override;
    void dataSetAboutToSort() override;
    void dataSetSorted() override;
    void dataSetFieldsChanged() override;
    void dataSetDestroyed() override;

    QModelIndexList persistent_;
    std::vector<int> persistentStored_; // the loaded row of each persistent index during a sort

    DataSet* dataSet_ = nullptr;
    QVector<int> columns_;
    bool explicitColumns_ = false;
    mutable bool readFailed_ = false;
};

} // namespace ostrapel
