#include "SettingsFieldNames.h"

#include "RecordCatalogue.h"

#include <QStringList>
#include <algorithm>

namespace ostrapel {

bool isCatalogueField(const RecordCatalogue& catalogue, const QString& name) {
    const QString kind = name.left(2);
    if (name.size() != 4 || (kind != u"ID" && kind != u"10" && kind != u"50")) return false;
    const KindEntries* fields = catalogue.kindList(kind);
    return fields &&
           std::any_of(fields->cbegin(), fields->cend(), [&](const auto& f) { return f->name == name; });
}

QString knownFieldOrder(const RecordCatalogue& catalogue, const QString& order) {
    QStringList kept;
    for (const QString& item : order.split(u',', Qt::SkipEmptyParts))
        if (isCatalogueField(catalogue, item.section(u'=', 0, 0).trimmed())) kept << item;
    return kept.join(u',');
}

} // namespace ostrapel
