#pragma once

#include <QString>

namespace ostrapel {

class RecordCatalogue;

// "insert into bord50 values(:ID01, :ID02, ..., :5012)": the key fields, then the
// record type's fields, in catalogue order; the table's column order must agree.
QString buildInsertStatement(const RecordCatalogue& catalogue, const QString& recordType);

} // namespace ostrapel
