#include "ExportFieldChoice.h"

#include "core/RecordCatalogue.h"

#include <QStringList>
#include <algorithm>

namespace ostrapel {

ExportFieldChoice::ExportFieldChoice(const RecordCatalogue& catalogue, const QString& kind,
                                     const QString& stored) {
    if (const KindEntries* keys = catalogue.kindList(QStringLiteral("ID")))
        for (const auto& f : *keys)
            if (catalogue.isKeyFieldShown(kind + f->name.mid(2, 2)))
                items.push_back({f->name, f->caption, f->description, false});
    if (const KindEntries* fields = catalogue.kindList(kind))
        for (const auto& f : *fields)
            if (f->visibleByDefault) items.push_back({f->name, f->caption, f->description, false});
    apply(stored);
}

void ExportFieldChoice::apply(const QString& stored) {
    for (const QString& name : stored.split(u';', Qt::SkipEmptyParts)) {
        const auto it =
            std::find_if(items.begin(), items.end(), [&](const Item& i) { return i.name == name; });
        if (it == items.end()) continue; // a field the catalogue no longer offers
        // Up to just after the checked block at the top; never down.
        const auto block = std::find_if(items.begin(), items.end(), [](const Item& i) { return !i.checked; });
        it->checked = true;
        if (it > block) std::rotate(block, it, it + 1);
    }
}

void ExportFieldChoice::moveUp() {
    if (!canMoveUp()) return;
    std::swap(items[size_t(current)], items[size_t(current - 1)]);
    --current;
}

void ExportFieldChoice::moveDown() {
    if (!canMoveDown()) return;
    std::swap(items[size_t(current)], items[size_t(current + 1)]);
    ++current;
}

QString ExportFieldChoice::result() const {
    QStringList names;
    for (const Item& i : items)
        if (i.checked) names << i.name.trimmed();
    return names.join(u';');
}

} // namespace ostrapel
