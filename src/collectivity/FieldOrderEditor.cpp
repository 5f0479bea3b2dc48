#include "FieldOrderEditor.h"

#include "core/DataSet.h"
#include "core/RecordCatalogue.h"
#include "core/TextHelpers.h"

namespace ostrapel {

QString FieldOrderEditor::extendedOrder(const DataSet& dataSet, const QString& stored) {
    if (stored.isEmpty()) return RecordCatalogue::visibleFieldOrder(dataSet);
    const QString missing = RecordCatalogue::missingFieldOrder(dataSet, stored);
    return missing.isEmpty() ? stored : stored + u',' + missing;
}

FieldOrderEditor::FieldOrderEditor(const RecordCatalogue& catalogue, const QString& order) {
    for (const QString& item : readCommaText(order)) {
        Entry e;
        e.name = item.section(u'=', 0, 0);
        const QString flag = item.section(u'=', 1);
        e.state = flag.startsWith(u'0') ? 0 : flag.startsWith(u'2') ? 2 : 1;
        e.caption = e.name;
        const RecordField* field = nullptr;
        try {
            field = catalogue.findField(e.name);
        } catch (const CatalogueError&) {
        }
        if (field) {
            e.caption = field->caption;
            if (field->alwaysShown) {
                e.fixed = true;
                e.state = 1;
            }
        }
        entries_.push_back(e);
    }
}

void FieldOrderEditor::setState(int index, int state) {
    Entry& e = entries_[size_t(index)];
    if (!e.fixed) e.state = state;
}

void FieldOrderEditor::cycle(int index) {
    static const int next[3] = {1, 2, 0};
    setState(index, next[entries_[size_t(index)].state]);
}

int FieldOrderEditor::moveUp(int index) {
    if (!canMoveUp(index)) return index;
    std::swap(entries_[size_t(index)], entries_[size_t(index - 1)]);
    return index - 1;
}

int FieldOrderEditor::moveDown(int index) {
    if (!canMoveDown(index)) return index;
    std::swap(entries_[size_t(index)], entries_[size_t(index + 1)]);
    return index + 1;
}

QString FieldOrderEditor::result() const {
    QStringList items;
    for (const Entry& e : entries_)
        items << e.name + u'=' + QString::number(e.state);
    return items.join(u',');
}

QString gridFieldOrder(const std::vector<ColumnState>& columns) {
    QStringList items;
    for (const ColumnState& c : columns)
        if (!c.fieldName.isEmpty())
            items << c.fieldName + (c.visible ? QStringLiteral("=1") : QStringLiteral("=0"));
    return writeCommaText(items);
}

} // namespace ostrapel
