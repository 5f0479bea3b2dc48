#include "DataSet.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "DisplayFormat.h"
#include "JetDialect.h"
#include "SnapshotTable.h"
#include "SqlStatement.h"
#include "TextOrder.h"

#include <QHash>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <numeric>

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

// The digits of `count` characters from `at`; -1 unless all are digits.
int digits(const QString& t, qsizetype at, int count) {
    int n = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9') return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

QDate readDate(const QString& text) {
    // Stored dates are "yyyy-MM-dd", maybe with a time: read without the slow parser.
    if (text.size() >= 10 && text[4] == u'-' && text[7] == u'-' && (text.size() == 10 || text[10] == u' ')) {
        const int y = digits(text, 0, 4), m = digits(text, 5, 2), d = digits(text, 8, 2);
        if (y > 0 && m >= 0 && d >= 0) return QDate(y, m, d);
    }
    const QString t = text.trimmed();
    if (t.isEmpty()) return {};
    QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) d = QDate::fromString(t.left(10), QStringLiteral("dd-MM-yyyy"));
    return d;
}

QVariant convert(const QVariant& raw, FieldType type) {
    if (raw.isNull()) return {};
    switch (type) {
    case FieldType::Date: {
        if (raw.metaType().id() == QMetaType::QDate) return raw;
        const QDate d = readDate(raw.toString());
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Float:
        if (raw.metaType().id() == QMetaType::QString) { // "0,00" columns of the reports
            bool ok = false;
            const double v = programLocale().toDouble(raw.toString(), &ok);
            return ok ? QVariant(v) : QVariant(raw.toString().toDouble());
        }
        return raw.toDouble();
    case FieldType::Integer:
        return raw.metaType().id() == QMetaType::LongLong ? raw : QVariant(raw.toLongLong());
    case FieldType::Text:
        return raw.metaType().id() == QMetaType::QString ? raw : QVariant(raw.toString());
    default:
        return raw;
    }
}

// Rows read from a snapshot at a time, and how many such pages stay in memory.
constexpr int kPageRows = 128;
constexpr size_t kKeptPages = 48;

bool isNumeric(FieldType type) {
    return type == FieldType::Integer || type == FieldType::Float || type == FieldType::Date ||
           type == FieldType::Boolean;
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
    cells_ = o.cells_;
    order_ = o.order_;
    columnCount_ = o.columnCount_;
    current_ = o.current_;
    bof_ = o.bof_;
    eof_ = o.eof_;
    sortFields_ = o.sortFields_;
    snapshot_ = o.snapshot_;
    columnTypes_ = o.columnTypes_;
    tieFields_ = o.tieFields_;
    pages_ = o.pages_;
}

void DataSet::assignFrom(DataSet&& o) {
    describer_ = o.describer_;
    fields_ = std::move(o.fields_);
    cells_ = std::move(o.cells_);
    order_ = std::move(o.order_);
    columnCount_ = o.columnCount_;
    current_ = o.current_;
    bof_ = o.bof_;
    eof_ = o.eof_;
    sortFields_ = std::move(o.sortFields_);
    snapshot_ = std::move(o.snapshot_);
    columnTypes_ = std::move(o.columnTypes_);
    tieFields_ = std::move(o.tieFields_);
    pages_ = std::move(o.pages_);
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
    cells_.clear();
    order_.clear();
    columnCount_ = 0;
    current_ = -1;
    bof_ = eof_ = true;
    sortFields_.clear();
    snapshot_.reset();
    columnTypes_.clear();
    tieFields_.clear();
    pages_.clear();
}

void DataSet::readFields(const QSqlRecord& rec) {
    columnCount_ = rec.count();
    for (int i = 0; i < columnCount_; ++i) {
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
        columnTypes_.push_back(f.type);
    }
}

void DataSet::load(QSqlQuery& query) {
    notify(&DataSetObserver::dataSetAboutToReload);
    clearRows();
    readFields(query.record());
    int rows = 0;
    while (query.next()) {
        for (int i = 0; i < columnCount_; ++i)
            cells_.push_back(convert(query.value(i), columnTypes_[size_t(i)]));
        ++rows;
    }
    order_.resize(size_t(rows));
    std::iota(order_.begin(), order_.end(), 0);
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
    snapshot_ = std::move(snapshot);
    readFields(snapshot_->record());
    tieFields_ = fieldIndexes(queryOrder);
    sortFields_ = sortFields;
    try {
        order_ = snapshotOrder(fieldIndexes(sortFields));
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

const QVariant& DataSet::snapshotCell(int row, int column) const {
    const int number = row / kPageRows;
    auto it = pages_.find(number);
    if (it == pages_.end()) {
        if (pages_.size() >= kKeptPages) {
            auto oldest = std::min_element(pages_.begin(), pages_.end(), [](const auto& a, const auto& b) {
                return a.second.lastUse < b.second.lastUse;
            });
            pages_.erase(oldest);
        }
        const int from = number * kPageRows;
        const int to = std::min(recordCount(), from + kPageRows);
        std::vector<int> rows(order_.begin() + from, order_.begin() + to);
        // A failure comes out here, so that a report never writes empty rows;
        // the table model shows it once instead of painting.
        Page page;
        page.cells = snapshot_->fetch(rows);
        for (size_t i = 0; i < page.cells.size(); ++i)
            page.cells[i] = convert(page.cells[i], columnTypes_[i % size_t(columnCount_)]);
        it = pages_.emplace(number, std::move(page)).first;
    }
    it->second.lastUse = ++pageClock_;
    return it->second.cells[size_t(row - number * kPageRows) * size_t(columnCount_) + size_t(column)];
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
    if (order_.empty()) {
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
    if (order_.empty()) return;
    const int target = current_ + distance;
    setCurrent(target);
    if (target >= recordCount()) eof_ = true;
    if (target < 0) bof_ = true;
}

QVariant DataSet::value(int row, int fieldIndex) const {
    if (row < 0 || row >= recordCount() || fieldIndex < 0 || fieldIndex >= fieldCount()) return {};
    return cell(row, fields_[size_t(fieldIndex)].column);
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

std::vector<int> DataSet::fieldIndexes(const QString& fieldList) const {
    std::vector<int> indexes;
    for (const QString& part : fieldList.split(u',', Qt::SkipEmptyParts))
        if (const int fi = fieldIndex(part.trimmed()); fi >= 0) indexes.push_back(fi);
    return indexes;
}

std::vector<int> DataSet::snapshotOrder(const std::vector<int>& fieldIndexes) const {
    // The engine orders as the rows in memory are ordered: empty values first,
    // numbers and dates by value, texts case-folded; ties keep the query's order.
    std::vector<std::pair<int, SnapshotSort>> keys;
    for (int fi : fieldIndexes) {
        const DataField& f = fields_[size_t(fi)];
        keys.emplace_back(f.column, f.type == FieldType::Date ? SnapshotSort::Date
                                    : isNumeric(f.type)       ? SnapshotSort::Number
                                                              : SnapshotSort::FoldedText);
    }
    for (int fi : tieFields_) { // the left-out ORDER BY: texts as the statement tables declare them
        const DataField& f = fields_[size_t(fi)];
        keys.emplace_back(f.column, isNumeric(f.type) ? SnapshotSort::Stored : SnapshotSort::Declared);
    }
    return snapshot_->orderedRows(keys);
}

bool DataSet::locateInSnapshot(const DataField& f, const QVariant& wanted, Qt::CaseSensitivity cs) {
    std::vector<char> hit(size_t(recordCount()), 0);
    if (!wanted.isNull() && (f.type == FieldType::Text || f.type == FieldType::Other)) {
        for (int row : snapshot_->rowsWithText(f.column, wanted.toString(), cs))
            hit[size_t(row)] = 1;
    } else {
        // Other types compare as converted, one column read.
        for (const auto& [row, raw] : snapshot_->column(f.column)) {
            const QVariant v = convert(raw, f.type);
            hit[size_t(row)] = v.isNull() || wanted.isNull() ? v.isNull() && wanted.isNull() : v == wanted;
        }
    }
    for (int r = 0; r < recordCount(); ++r)
        if (hit[size_t(order_[size_t(r)])]) {
            setCurrent(r);
            return true;
        }
    return false;
}

void DataSet::sort(const QString& fieldList) {
    if (snapshot_) {
        std::vector<int> order = snapshotOrder(fieldIndexes(fieldList));
        sortFields_ = fieldList;
        notify(&DataSetObserver::dataSetAboutToSort);
        order_ = std::move(order);
        pages_.clear();
        first();
        notify(&DataSetObserver::dataSetSorted);
        return;
    }
    sortFields_ = fieldList;
    // Every key becomes one number per row: text by its rank among the key's
    // case-folded values, so that the sort itself compares numbers only.
    struct Key {
        std::vector<double> number;
        std::vector<bool> null;
    };
    std::vector<Key> keys;
    const int stored = recordCount();
    for (const QString& part : fieldList.split(u',', Qt::SkipEmptyParts)) {
        const int fi = fieldIndex(part.trimmed());
        if (fi < 0) continue;
        const DataField& f = fields_[size_t(fi)];
        Key k;
        k.null.resize(size_t(stored));
        k.number.resize(size_t(stored));
        const bool numeric = f.type == FieldType::Integer || f.type == FieldType::Float ||
                             f.type == FieldType::Date || f.type == FieldType::Boolean;
        QHash<QString, int> distinct; // value -> index into `values`
        std::vector<QString> values;
        for (int r = 0; r < stored; ++r) {
            const QVariant& v = cells_[size_t(r) * size_t(columnCount_) + size_t(f.column)];
            k.null[size_t(r)] = v.isNull();
            if (v.isNull()) continue;
            if (f.type == FieldType::Date)
                k.number[size_t(r)] = double(v.toDate().toJulianDay());
            else if (numeric)
                k.number[size_t(r)] = v.toDouble();
            else {
                const QString text = v.toString();
                auto it = distinct.constFind(text);
                if (it == distinct.constEnd()) {
                    it = distinct.insert(text, int(values.size()));
                    values.push_back(textSortKey(text));
                }
                k.number[size_t(r)] = *it;
            }
        }
        if (!numeric) {
            // Values that differ in case only share a rank.
            std::vector<int> byText(values.size());
            std::iota(byText.begin(), byText.end(), 0);
            std::sort(byText.begin(), byText.end(),
                      [&values](int a, int b) { return values[size_t(a)] < values[size_t(b)]; });
            std::vector<double> rank(values.size());
            for (size_t i = 0, r = 0; i < byText.size(); ++i) {
                if (i > 0 && values[size_t(byText[i])] != values[size_t(byText[i - 1])]) ++r;
                rank[size_t(byText[i])] = double(r);
            }
            for (int r = 0; r < stored; ++r)
                if (!k.null[size_t(r)]) k.number[size_t(r)] = rank[size_t(k.number[size_t(r)])];
        }
        keys.push_back(std::move(k));
    }
    notify(&DataSetObserver::dataSetAboutToSort);
    std::iota(order_.begin(), order_.end(), 0);
    if (!keys.empty()) {
        std::stable_sort(order_.begin(), order_.end(), [&keys](int a, int b) {
            for (const Key& k : keys) {
                const bool na = k.null[size_t(a)], nb = k.null[size_t(b)];
                if (na != nb) return na;
                if (na) continue;
                const double x = k.number[size_t(a)], y = k.number[size_t(b)];
                if (x != y) return x < y;
            }
            return false;
        });
    }
    first();
    notify(&DataSetObserver::dataSetSorted);
}

bool DataSet::locate(const QString& fieldName, const QVariant& value, Qt::CaseSensitivity cs) {
    const int fi = fieldIndex(fieldName);
    if (fi < 0) return false;
    const DataField& f = fields_[size_t(fi)];
    const QVariant wanted = convert(value, f.type);
    if (snapshot_) return locateInSnapshot(f, wanted, cs);
    for (int r = 0; r < recordCount(); ++r) {
        const QVariant& v = cell(r, f.column);
        if (v.isNull() || wanted.isNull()) {
            if (v.isNull() && wanted.isNull()) {
                setCurrent(r);
                return true;
            }
            continue;
        }
        bool equal = false;
        if (f.type == FieldType::Text || f.type == FieldType::Other)
            equal = v.toString().compare(wanted.toString(), cs) == 0;
        else
            equal = v == wanted;
        if (equal) {
            setCurrent(r);
            return true;
        }
    }
    return false;
}

} // namespace ostrapel
