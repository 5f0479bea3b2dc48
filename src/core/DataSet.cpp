#include "DataSet.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "DisplayFormat.h"
#include "JetDialect.h"
#include "MemoryRows.h"
#include "SnapshotRows.h"
#include "SnapshotTable.h"
#include "SqlStatement.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace ostrapel {

namespace {

FieldType typeFromDriver(const QSqlField& f) {
    switch (f.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return FieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldType::Float;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return FieldType::Date;
    case QMetaType::Bool:
        return FieldType::Boolean;
    case QMetaType::QString:
        return FieldType::Text;
    default:
        return FieldType::Other;
    }
}

} // namespace

DataSet::DataSet(const DataSet& other) {
    assignFrom(other);
}

DataSet& DataSet::operator=(const DataSet& other) {
    if (this == &other) return *this;
    notify(&DataSetObserver::dataSetAboutToReload);
    assignFrom(other);
    notify(&DataSetObserver::dataSetReloaded);
    return *this;
}

DataSet::DataSet(DataSet&& other) noexcept {
    assignFrom(std::move(other));
}

DataSet& DataSet::operator=(DataSet&& other) noexcept {
    if (this == &other) return *this;
    notify(&DataSetObserver::dataSetAboutToReload);
    assignFrom(std::move(other));
    notify(&DataSetObserver::dataSetReloaded);
    return *this;
}

DataSet::~DataSet() {
    const std::vector<DataSetObserver*> observers = observers_;
    for (DataSetObserver* o : observers)
        o->dataSetDestroyed();
}

void DataSet::assignFrom(const DataSet& o) {
    describer_ = o.describer_;
    fields_ = o.fields_;
    rows_ = o.rows_ ? o.rows_->clone() : nullptr;
    current_ = o.current_;
    bof_ = o.bof_;
    eof_ = o.eof_;
    sortFields_ = o.sortFields_;
}

void DataSet::assignFrom(DataSet&& o) {
    describer_ = o.describer_;
    fields_ = std::move(o.fields_);
    rows_ = std::move(o.rows_);
    current_ = o.current_;
    bof_ = o.bof_;
    eof_ = o.eof_;
    sortFields_ = std::move(o.sortFields_);
}

void DataSet::addObserver(DataSetObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void DataSet::removeObserver(DataSetObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void DataSet::fieldsChanged() {
    notify(&DataSetObserver::dataSetFieldsChanged);
}

void DataSet::clear() {
    notify(&DataSetObserver::dataSetAboutToReload);
    clearRows();
    notify(&DataSetObserver::dataSetReloaded);
}

void DataSet::clearRows() {
    fields_.clear();
    rows_.reset();
    current_ = -1;
    bof_ = eof_ = true;
    sortFields_.clear();
}

std::vector<FieldType> DataSet::readFields(const QSqlRecord& rec) {
    std::vector<FieldType> columnTypes;
    for (int i = 0; i < rec.count(); ++i) {
        DataField f;
        f.name = rec.fieldName(i);
        f.displayLabel = f.name;
        f.column = i;
        f.type = typeFromDriver(rec.field(i));
        if (describer_) {
            if (auto t = describer_->fieldType(f.name)) f.type = *t;
        }
        // a column the dialect added for sorting has a cell, not a field
        if (!f.name.startsWith(SortOnlyColumnPrefix)) fields_.push_back(f);
        columnTypes.push_back(f.type);
    }
    return columnTypes;
}

void DataSet::load(QSqlQuery& query) {
    notify(&DataSetObserver::dataSetAboutToReload);
    clearRows();
    const std::vector<FieldType> types = readFields(query.record());
    const int columnCount = int(types.size());
    std::vector<QVariant> cells;
    while (query.next()) {
        for (int i = 0; i < columnCount; ++i)
            cells.push_back(convertCell(query.value(i), types[size_t(i)]));
    }
    rows_ = std::make_unique<MemoryRows>(std::move(cells), columnCount);
    first();
    notify(&DataSetObserver::dataSetReloaded);
}

void DataSet::loadSnapshot(Connection& connection, const QString& jetSql, const QString& sortFields,
                           const QString& queryOrder) {
    std::shared_ptr<const SnapshotTable> snapshot;
    try {
        snapshot = std::make_shared<const SnapshotTable>(connection, jetSql); // may throw: rows stay
    } catch (const DatabaseError&) {
        if (!connection.isPostgreSql()) throw;
        // A role without temporary tables, or a read-only server: the rows at once.
        loadAtOnce(connection, jetSql, sortFields, queryOrder);
        return;
    }
    notify(&DataSetObserver::dataSetAboutToReload);
    clearRows();
    std::vector<FieldType> types = readFields(snapshot->record());
    sortFields_ = sortFields;
    try {
        auto rows =
            std::make_unique<SnapshotRows>(std::move(snapshot), std::move(types), columnKeys(queryOrder));
        rows->setOrder(rows->sortedOrder(columnKeys(sortFields)));
        rows_ = std::move(rows);
    } catch (...) {
        clearRows();
        notify(&DataSetObserver::dataSetReloaded);
        throw;
    }
    first();
    notify(&DataSetObserver::dataSetReloaded);
}

void DataSet::loadAtOnce(Connection& connection, const QString& jetSql, const QString& sortFields,
                         const QString& queryOrder) {
    QStringList order;
    for (const QString& name : queryOrder.split(u',', Qt::SkipEmptyParts))
        order << u'[' + name.trimmed() + u']';
    const QString sql = order.isEmpty() ? jetSql : jetSql + QStringLiteral(" order by ") + order.join(u", ");
    const std::unique_ptr<SqlStatement> statement = connection.prepareNew(sql);
    statement->exec();
    load(statement->query());
    if (!sortFields.trimmed().isEmpty()) sort(sortFields);
}

int DataSet::fieldIndex(const QString& name) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

DataField* DataSet::findField(const QString& name) {
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : &fields_[size_t(i)];
}

void DataSet::moveField(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= fieldCount() || to >= fieldCount()) return;
    DataField f = fields_[size_t(from)];
    fields_.erase(fields_.begin() + from);
    fields_.insert(fields_.begin() + to, f);
}

void DataSet::setCurrent(int row) {
    if (isEmpty()) {
        current_ = -1;
        bof_ = eof_ = true;
        return;
    }
    current_ = std::clamp(row, 0, recordCount() - 1);
    bof_ = eof_ = false;
}

void DataSet::first() {
    setCurrent(0);
}
void DataSet::last() {
    setCurrent(recordCount() - 1);
}
void DataSet::setRecNo(int row) {
    setCurrent(row);
}

void DataSet::next() {
    if (current_ + 1 >= recordCount()) {
        eof_ = true;
        return;
    }
    setCurrent(current_ + 1);
}

void DataSet::prior() {
    if (current_ <= 0) {
        bof_ = true;
        return;
    }
    setCurrent(current_ - 1);
}

void DataSet::moveBy(int distance) {
    if (isEmpty()) return;
    const int target = current_ + distance;
    setCurrent(target);
    if (target >= recordCount()) eof_ = true;
    if (target < 0) bof_ = true;
}

QVariant DataSet::value(int row, int fieldIndex) const {
    if (row < 0 || row >= recordCount() || fieldIndex < 0 || fieldIndex >= fieldCount()) return {};
    return rows_->cell(row, fields_[size_t(fieldIndex)].column);
}

QVariant DataSet::value(const QString& fieldName) const {
    return value(current_, fieldIndex(fieldName));
}

QString DataSet::displayText(int row, int fieldIndex) const {
    const QVariant v = value(row, fieldIndex);
    if (v.isNull()) return {};
    const DataField& f = fields_[size_t(fieldIndex)];
    switch (f.type) {
    case FieldType::Float:
        return formatNumber(v.toDouble(), f.displayFormat);
    case FieldType::Date:
        return formatDate(v.toDate(), f.displayFormat.isEmpty() ? kDateFormat : f.displayFormat);
    default:
        break;
    }
    const QString text = v.toString();
    if (describer_) {
        if (auto decoded = describer_->decode(f.name, text)) return *decoded;
    }
    return text;
}

QString DataSet::displayText(const QString& fieldName) const {
    const int i = fieldIndex(fieldName);
    return i < 0 ? QString() : displayText(current_, i);
}

std::vector<ColumnKey> DataSet::columnKeys(const QString& fieldList) const {
    std::vector<ColumnKey> keys;
    for (const QString& part : fieldList.split(u',', Qt::SkipEmptyParts))
        if (const int fi = fieldIndex(part.trimmed()); fi >= 0)
            keys.push_back({fields_[size_t(fi)].column, fields_[size_t(fi)].type});
    return keys;
}

void DataSet::sort(const QString& fieldList) {
    std::vector<int> order = rows_ ? rows_->sortedOrder(columnKeys(fieldList)) : std::vector<int>();
    sortFields_ = fieldList;
    notify(&DataSetObserver::dataSetAboutToSort);
    if (rows_) rows_->setOrder(std::move(order));
    first();
    notify(&DataSetObserver::dataSetSorted);
}

bool DataSet::locate(const QString& fieldName, const QVariant& value, Qt::CaseSensitivity cs) {
    const int fi = fieldIndex(fieldName);
    if (fi < 0 || !rows_) return false;
    const DataField& f = fields_[size_t(fi)];
    const int row = rows_->find({f.column, f.type}, convertCell(value, f.type), cs);
    if (row < 0) return false;
    setCurrent(row);
    return true;
}

} // namespace ostrapel
