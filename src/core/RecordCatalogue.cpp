#include "RecordCatalogue.h"

#include "Connection.h"
#include "DataSet.h"
#include "DisplayFormat.h"
#include "SharedQueries.h"
#include "TextHelpers.h"

namespace ostrapel {

namespace {

const QStringList kKinds = {QStringLiteral("ID"), QStringLiteral("00"), QStringLiteral("10"),
                            QStringLiteral("50"), QStringLiteral("99")};

QString itemCode(const QString& item) {
    return item.section(u'=', 0, 0);
}
QString itemText(const QString& item) {
    const qsizetype eq = item.indexOf(u'=');
    return eq < 0 ? QString() : item.mid(eq + 1);
}

std::optional<FieldType> fieldTypeOf(QChar type) {
    switch (type.unicode()) {
    case 'A':
        return FieldType::Text;
    case 'N':
        return FieldType::Integer;
    case 'S':
        return FieldType::Float;
    case 'D':
        return FieldType::Date;
    default:
        return std::nullopt;
    }
}

} // namespace

void RecordCatalogue::load(Connection& connection) {
    loadRecordLayouts(connection);
    loadFieldDisplay(connection);
}

void RecordCatalogue::loadRecordLayouts(Connection& connection) {
    for (const QString& kind : kKinds) {
        KindEntries& entries = kinds_[kind];
        entries.clear();
        QHash<QString, int>& positions = positions_[kind];
        positions.clear();
        DataSet rows = connection.query(SharedQueries::qryRecStructure, {{QStringLiteral("Soort"), kind}});
        for (rows.first(); !rows.eof(); rows.next()) {
            auto e = std::make_unique<RecordField>();
            const QString veldNr = rows.value(QStringLiteral("VeldNr")).toString();
            const QString tonen = rows.value(QStringLiteral("Tonen")).toString();
            e->name = rows.value(QStringLiteral("Soort")).toString() + veldNr;
            e->start = qint16(rows.value(QStringLiteral("Van")).toInt());
            e->end = qint16(rows.value(QStringLiteral("Tot")).toInt());
            e->length = qint16(rows.value(QStringLiteral("Lengte")).toInt());
            const QString type = rows.value(QStringLiteral("Type")).toString();
            e->type = type.isEmpty() ? QChar() : type.at(0);
            e->caption = rows.value(QStringLiteral("Display")).toString();
            e->description = rows.value(QStringLiteral("Omschrijving")).toString();
            const QString pick = rows.value(QStringLiteral("PickList")).toString();
            if (!pick.isEmpty()) e->pickList = pick.split(u';');
            const QChar first = tonen.isEmpty() ? QChar() : tonen.at(0);
            e->visibleByDefault = first == u'+' || first == u'J';
            e->offered = tonen != QStringLiteral("-");
            e->alwaysShown = first == u'+';
            positions.insert(veldNr, int(entries.size()));
            entries.push_back(std::move(e));
        }
    }
}

void RecordCatalogue::loadFieldDisplay(Connection& connection) {
    fieldDisplay_.clear();
    DataSet rows = connection.query(SharedQueries::qryFieldDisplay);
    for (rows.first(); !rows.eof(); rows.next())
        fieldDisplay_ << rows.value(QStringLiteral("Soort")).toString() +
                             rows.value(QStringLiteral("VeldNr")).toString() + u'=' +
                             rows.value(QStringLiteral("Tonen")).toString();
}

const KindEntries* RecordCatalogue::kindList(const QString& kind) const {
    const auto it = kinds_.find(kind);
    return it == kinds_.end() ? nullptr : &it->second;
}

const RecordField* RecordCatalogue::lookup(const QString& name) const {
    const QString kind = name.left(2);
    const KindEntries* list = kindList(kind);
    if (!list) return nullptr;
    const int at = positions_.value(kind).value(name.mid(2, 2), -1);
    return at < 0 ? nullptr : (*list)[size_t(at)].get();
}

const RecordField* RecordCatalogue::findField(const QString& name) const {
    if (!kindList(name.left(2))) return nullptr;
    const RecordField* e = lookup(name);
    if (!e)
        throw CatalogueError(
            QStringLiteral("Veld \"%1\" komt niet voor in de recordindeling (RecStruct).").arg(name));
    return e;
}

bool RecordCatalogue::hasPickList(const QString& name) const {
    const RecordField* e = findField(name);
    return e && e->pickList.has_value();
}

int RecordCatalogue::fillPickList(QStringList& strings, const QString& name, bool wholeItems) const {
    strings.clear();
    const RecordField* e = findField(name);
    if (!e || !e->pickList) return 0;
    for (const QString& item : *e->pickList)
        strings << (wholeItems ? item : itemText(item));
    return int(strings.size());
}

bool RecordCatalogue::isKeyFieldShown(const QString& key) const {
    for (const QString& item : fieldDisplay_)
        if (item.startsWith(key + u'=')) return item.mid(key.size() + 1) == QStringLiteral("J");
    return false;
}

void RecordCatalogue::prepareFields(DataSet& dataSet, const QString& kind, bool showAll) const {
    for (int i = 0; i < dataSet.fieldCount(); ++i) {
        DataField& f = dataSet.field(i);
        if (const RecordField* e = findField(f.name)) {
            if (showAll)
                f.visible = true;
            else if (f.name.startsWith(QStringLiteral("ID")))
                f.visible = isKeyFieldShown(kind + f.name.mid(2, 2));
            else
                f.visible = e->visibleByDefault;
            f.displayLabel = e->caption;
        }
        if (f.type == FieldType::Float) f.displayFormat = kAmountFormat;
        if (f.type == FieldType::Date) f.displayFormat = kDateFormat;
    }
    dataSet.fieldsChanged();
}

std::vector<GridColumn> RecordCatalogue::buildGridColumns(DataSet& dataSet, bool markerColumn,
                                                          const QString& order) const {
    std::vector<GridColumn> columns;
    if (markerColumn) {
        GridColumn marker;
        marker.title = QStringLiteral(" ");
        marker.widthPixels = 20;
        columns.push_back(marker);
    }
    auto addColumn = [&](int fieldIndex) {
        const DataField& f = dataSet.field(fieldIndex);
        GridColumn c;
        c.fieldIndex = fieldIndex;
        c.fieldName = f.name;
        c.title = f.displayLabel;
        c.visible = f.visible;
        if (f.name == Field::Surname) c.widthChars = 35;
        if (const RecordField* e = lookup(f.name)) {
            c.fieldLength = e->length;
            if (e->pickList) c.pickList = *e->pickList;
        }
        columns.push_back(c);
    };
    if (order.isEmpty()) {
        for (int i = 0; i < dataSet.fieldCount(); ++i)
            if (dataSet.field(i).visible) addColumn(i);
        return columns;
    }
    // Fields move while the order is applied, so columns are resolved by name at the end.
    QStringList withColumn;
    int next = markerColumn ? 1 : 0;
    for (const QString& item : readCommaText(order)) {
        const QString name = item.section(u'=', 0, 0);
        const QString flag = item.section(u'=', 1);
        const int at = dataSet.fieldIndex(name);
        if (at < 0) continue;
        dataSet.field(at).visible = !flag.startsWith(u'0');
        const int target = std::min(next, dataSet.fieldCount() - 1);
        dataSet.moveField(at, target);
        ++next;
        bool numeric = false;
        const int n = flag.toInt(&numeric);
        if (!numeric || n == 1) withColumn << dataSet.field(target).name;
    }
    for (const QString& name : std::as_const(withColumn))
        addColumn(dataSet.fieldIndex(name));
    dataSet.fieldsChanged();
    return columns;
}

QString RecordCatalogue::selectFieldList(const QString& kind) const {
    QStringList out;
    if (const KindEntries* ids = kindList(QStringLiteral("ID")))
        for (const auto& e : *ids)
            if (isKeyFieldShown(kind + e->name.mid(2, 2)))
                out << QStringLiteral("bord") + kind + QStringLiteral(".[") + e->name + u']';
    if (const KindEntries* fields = kindList(kind))
        for (const auto& e : *fields)
            if (e->offered) out << QStringLiteral("bord") + kind + QStringLiteral(".[") + e->name + u']';
    return out.join(QStringLiteral(", "));
}

QString RecordCatalogue::decodePickValue(const QString& name, const QString& code) const {
    const RecordField* e = lookup(name);
    if (!e || !e->pickList) return code;
    QString c = code;
    if (name == Field::Gender) {
        bool numeric = false;
        const int n = code.trimmed().toInt(&numeric);
        c = numeric && n == 2 ? QStringLiteral("2") : QStringLiteral("1");
    }
    for (const QString& item : *e->pickList)
        if (itemCode(item).compare(c, Qt::CaseInsensitive) == 0) return itemText(item);
    return {};
}

QString RecordCatalogue::encodePickValue(const QString& name, const QString& text) const {
    const RecordField* e = lookup(name);
    if (!e || !e->pickList) return text;
    for (const QString& item : *e->pickList)
        if (itemText(item) == text) return itemCode(item);
    return text;
}

QString RecordCatalogue::visibleFieldOrder(const DataSet& dataSet) {
    QStringList out;
    for (int i = 0; i < dataSet.fieldCount(); ++i)
        if (dataSet.field(i).visible) out << dataSet.field(i).name + QStringLiteral("=1");
    return out.join(u',');
}

QString RecordCatalogue::missingFieldOrder(const DataSet& dataSet, const QString& order) {
    QStringList out;
    for (int i = 0; i < dataSet.fieldCount(); ++i) {
        const DataField& f = dataSet.field(i);
        if (f.visible && !order.contains(f.name + u'=')) out << f.name + QStringLiteral("=0");
    }
    return out.join(u',');
}

std::optional<FieldType> RecordCatalogue::fieldType(const QString& name) const {
    if (name.size() != 4) return std::nullopt;
    const RecordField* e = lookup(name.left(2).compare(QStringLiteral("ID"), Qt::CaseInsensitive) == 0
                                      ? QStringLiteral("ID") + name.mid(2)
                                      : name);
    return e ? fieldTypeOf(e->type) : std::nullopt;
}

std::optional<QString> RecordCatalogue::decode(const QString& name, const QString& code) const {
    const RecordField* e = name.size() == 4 ? lookup(name) : nullptr;
    if (!e || !e->pickList) return std::nullopt;
    return decodePickValue(name, code);
}

} // namespace ostrapel
