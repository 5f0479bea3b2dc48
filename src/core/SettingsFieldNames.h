#pragma once

#include <QString>

namespace ostrapel {

class RecordCatalogue;

// Field names read from a settings file reach the SQL text, so each must be a
// field of the catalogue (kind "ID", "10" or "50", spelled as the catalogue
// spells it) before it is used.
bool isCatalogueField(const RecordCatalogue& catalogue, const QString& name);
// A field order ("1002=1,1003=0") without the items whose name is no field.
QString knownFieldOrder(const RecordCatalogue& catalogue, const QString& order);

} // namespace ostrapel
