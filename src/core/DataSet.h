#pragma once

#include "FieldDescriber.h"
#include "RowSource.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSqlQuery;
class QSqlRecord;

namespace ostrapel {

class Connection;

struct DataField {
    QString name;
    FieldType type = FieldType::Text;
    QString displayLabel;
    bool visible = true;
    QString displayFormat;
    int column = 0; // position of the value in a row
};

// Told of a data set's changes: a reload (rows and fields anew) and a sort
// before they happen and after, and edits of the fields' captions or visibility.
class DataSetObserver {
public:
    virtual ~DataSetObserver() = default;
    virtual void dataSetAboutToReload() = 0;
    virtual void dataSetReloaded() = 0;
    virtual void dataSetAboutToSort() = 0;
    virtual void dataSetSorted() = 0;
    virtual void dataSetFieldsChanged() = 0;
    // The data set goes: the observer lets go of it.
    virtual void dataSetDestroyed() = 0;
};

// A query result: fields, rows and a current row, with a sort and a locate,
// as the lists and reports use it. The rows are held in memory, or (for lists
// of any length) kept by the engine and read a page at a time: a RowSource.
class DataSet {
public:
    // Field types and coded values come from the describer, when one is given.
    explicit DataSet(const FieldDescriber* describer = nullptr) : describer_(describer) {}
    // A copy takes the rows, not the observers; assigning tells the observers of a reload.
    DataSet(const DataSet& other);
    DataSet& operator=(const DataSet& other);
    DataSet(DataSet&& other) noexcept;
    DataSet& operator=(DataSet&& other) noexcept;
    ~DataSet();

    void addObserver(DataSetObserver* observer);
    void removeObserver(DataSetObserver* observer);
    // After fields were moved or their captions or visibility edited in place
    // (once for a batch of edits: the rows stay as they are).
    void fieldsChanged();
    void setDescriber(const FieldDescriber* describer) { describer_ = describer; }
    const FieldDescriber* describer() const { return describer_; }

    // Reads every row of an executed query.
    void load(QSqlQuery& query);
    // Runs the query into a table the engine keeps; rows are read when asked
    // for, sort and locate run in the engine. The rows come sorted on
    // `sortFields` (as sort() sorts). `queryOrder` names the fields of an
    // ORDER BY the caller left out of the query to save the engine a sort:
    // every sort then breaks ties on them. Throws DatabaseError.
    void loadSnapshot(Connection& connection, const QString& jetSql, const QString& sortFields = {},
                      const QString& queryOrder = {});
    bool isSnapshot() const { return rows_ && rows_->keptByEngine(); }
    void clear();

    int fieldCount() const { return int(fields_.size()); }
    DataField& field(int index) { return fields_[size_t(index)]; }
    const DataField& field(int index) const { return fields_[size_t(index)]; }
    int fieldIndex(const QString& name) const; // -1 when absent; case-insensitive
    DataField* findField(const QString& name);
    // Moves a field to another position of the field order.
    void moveField(int from, int to);

    int recordCount() const { return rows_ ? rows_->rowCount() : 0; }
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const { return current_; } // 0-based; -1 when empty
    // The row as loaded, of a row as sorted.
    int storedRow(int row) const { return rows_->storedRow(row); }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int distance);
    void setRecNo(int row);

    QVariant value(int row, int fieldIndex) const;
    QVariant value(const QString& fieldName) const; // current row
    QString displayText(int row, int fieldIndex) const;
    QString displayText(const QString& fieldName) const;

    // Ascending sort on a comma list of field names; stable, text without
    // regard to case, empty values first. Moves to the first row.
    void sort(const QString& fieldList);
    QString sortFields() const { return sortFields_; }
    // Moves to the first row whose field equals the value; false when none does.
    bool locate(const QString& fieldName, const QVariant& value,
                Qt::CaseSensitivity cs = Qt::CaseInsensitive);

private:
    void loadAtOnce(Connection& connection, const QString& jetSql, const QString& sortFields,
                    const QString& queryOrder);
    std::vector<FieldType> readFields(const QSqlRecord& record);
    std::vector<ColumnKey> columnKeys(const QString& fieldList) const;
    void setCurrent(int row);
    void clearRows();
    template <typename F> void notify(F f) {
        for (DataSetObserver* o : observers_)
            (o->*f)();
    }
    void assignFrom(const DataSet& other);
    void assignFrom(DataSet&& other);

    const FieldDescriber* describer_ = nullptr;
    std::vector<DataField> fields_;
    std::unique_ptr<RowSource> rows_; // none when empty
    int current_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    QString sortFields_;
    std::vector<DataSetObserver*> observers_;
};

} // namespace ostrapel
