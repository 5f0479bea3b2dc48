#pragma once

#include <QString>

namespace ostrapel {

class SqlStatement;
class RecordCatalogue;

// "insert into bord50 values(:ID01, :ID02, ..., :5012)": the key fields, then the
// record type's fields, in catalogue order; the table's column order must agree.
QString buildInsertStatement(const RecordCatalogue& catalogue, const QString& recordType);

// Sets the statement's parameters from one line. The record type's first field
// is left empty; a number that does not convert is stored as 0, a date as no
// value. In a
// standard-insurance file field 1024 of a person is a single space.
void fillInsertParameters(const RecordCatalogue& catalogue, SqlStatement& statement, const QString& line,
                          const QString& recordType, bool standardInsurance);

} // namespace ostrapel
