#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <cstddef>

namespace ostrapel {

class Connection;

// Where the bulk inserter's converted rows go; one implementation per way of
// writing, each in a file of its own.
class BulkSink {
public:
    // How the rows reach a PostgreSQL server; SQLite has one way.
    enum class Method { SqliteStatements, PostgreSqlCopy, PostgreSqlInserts };

    // One converted field.
    struct Value {
        enum Kind : char { Null, Text, Date, Integer, Cents } kind = Null;
        QByteArrayView text; // Text: Windows-1252 bytes
        QDate date;
        int number = 0; // Integer; Cents: hundredths
    };

    virtual ~BulkSink() = default;
    virtual Method method() const = 0;
    virtual void row(int table, const Value* values, size_t count) = 0;
    virtual void flush() {}
};

// The record types of the tables bord00/10/50/99, in the sinks' table order.
inline const char* const kBulkRecordTypes[4] = {"00", "10", "50", "99"};

inline const QString kOutsideTransaction =
    QStringLiteral("Databasefout: de import schrijft alleen binnen een geldige transactie.");

bool isAscii(QByteArrayView text);
// yyyy-mm-dd, as the SQLite file stores dates; empty for a year of more than four digits.
QByteArray isoDate(const QDate& date);
// Hundredths as exact decimal text: the server reads it as the double n / 100.0 is.
void appendCents(QByteArray& out, int hundredths);
// "bord50" ("ID01", ...): the table's columns in their order, which is the
// order of the catalogue's fields the SQLite statements insert positionally.
QString tableWithColumns(const Connection& connection, int table, size_t expected);

} // namespace ostrapel
