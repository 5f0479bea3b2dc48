#pragma once

#include "CatalogueError.h"
#include "FieldDescriber.h"
#include "GridColumn.h"
#include "RecordField.h"

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace ostrapel {

class Connection;
class DataSet;

using KindEntries = std::vector<std::unique_ptr<RecordField>>;

// The record catalogue: every field of every record kind, loaded once at start.
class RecordCatalogue : public FieldDescriber {
public:
    // Both tables, as every program and tool loads them at start.
    void load(Connection& connection);
    void loadRecordLayouts(Connection& connection);
    void loadFieldDisplay(Connection& connection);

    // The list of "ID", "00", "10", "50" or "99"; nullptr for any other kind.
    const KindEntries* kindList(const QString& kind) const;
    // nullptr for a name of no kind; throws CatalogueError for an unknown number.
    const RecordField* findField(const QString& name) const;
    bool hasPickList(const QString& name) const;
    int fillPickList(QStringList& strings, const QString& name, bool wholeItems) const;
    bool isKeyFieldShown(const QString& key) const;

    void prepareFields(DataSet& dataSet, const QString& kind, bool showAll) const;
    // Orders and hides the data set's fields by `order` and returns the grid's columns.
    std::vector<GridColumn> buildGridColumns(DataSet& dataSet, bool markerColumn, const QString& order) const;
    QString selectFieldList(const QString& kind) const;
    QString decodePickValue(const QString& name, const QString& code) const;
    QString encodePickValue(const QString& name, const QString& text) const;
    static QString visibleFieldOrder(const DataSet& dataSet);
    static QString missingFieldOrder(const DataSet& dataSet, const QString& order);

    std::optional<FieldType> fieldType(const QString& fieldName) const override;
    std::optional<QString> decode(const QString& fieldName, const QString& code) const override;

private:
    const RecordField* lookup(const QString& name) const; // no error

    std::map<QString, KindEntries> kinds_;
    QHash<QString, QHash<QString, int>> positions_; // kind -> VeldNr -> index
    QStringList fieldDisplay_;                      // "1005=J"
};

} // namespace ostrapel
