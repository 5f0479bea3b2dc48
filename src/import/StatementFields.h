#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QVariant>

namespace ostrapel {

class RecordCatalogue;

// Reading one statement line by the record catalogue.

// The record type of a line: the raw text of key field ID08, untrimmed.
QString recordTypeOf(const RecordCatalogue& catalogue, const QString& line);
// The raw text of a field: Lengte characters from Van, what the line has of them.
QString rawFieldText(const QString& line, int start, int length);
// The trimmed text of a named field; "-1" for a name of no kind.
QString fieldText(const RecordCatalogue& catalogue, const QString& line, const QString& name);
// Leading and trailing blanks and control characters removed.
QString trimControl(const QString& text);
QByteArrayView trimControl(QByteArrayView text);

inline int thisYear() {
    return QDate::currentDate().year();
}

// A field's text as a typed value: QString, QDate, int or double; a null
// QVariant for no value. Two-digit years are read against `currentYear`.
QVariant convertFieldValue(const QString& recordType, const QString& fieldNr, QChar type, const QString& raw,
                           int currentYear = thisYear());

// The readings of the conversion rules, also used by the check pass.
bool readWholeNumber(const QString& raw, int* value); // optional blanks, sign, digits; 32-bit
bool readWholeNumber(QByteArrayView raw, int* value);
// y-m-d, or d.m.y
QDate readStatementDate(const QString& raw, int currentYear = thisYear());
// A year of one or two digits falls in the hundred years that start fifty
// years before `currentYear`.
int fullYear(int year, int digits, int currentYear);

} // namespace ostrapel
