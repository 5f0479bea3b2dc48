#pragma once

#include "BulkSink.h"

#include <QByteArrayView>
#include <memory>
#include <vector>

namespace ostrapel {

class Connection;
class RecordCatalogue;

// Writes statement lines into bord00/10/50/99 by the engine's fastest way (a BulkSink):
// on SQLite prepared statements on the engine's own handle, on PostgreSQL
// COPY through libpq on the driver's connection (multi-row INSERTs when no
// libpq handle can be had). Each field is converted straight from the file's
// Windows-1252 bytes, as convertFieldValue reads it, and stored the same on
// both engines. Lives for one file, inside that file's transaction.
class BulkInserter {
public:
    using Method = BulkSink::Method;
    using Value = BulkSink::Value;

    BulkInserter(Connection& connection, const RecordCatalogue& catalogue);
    // PostgreSQL only: `inserts` forces multi-row INSERTs instead of COPY.
    BulkInserter(Connection& connection, const RecordCatalogue& catalogue, bool inserts);
    ~BulkInserter();
    BulkInserter(const BulkInserter&) = delete;
    BulkInserter& operator=(const BulkInserter&) = delete;

    Method method() const;

    // 0..3 for the record types "00", "10", "50", "99"; -1 for any other.
    int recordIndex(QByteArrayView line) const;
    // Stores the line as a row of that record type; throws DatabaseError. Text
    // may be used without a copy: the line's bytes must outlive the inserter.
    void insert(int recordIndex, QByteArrayView line, bool standardInsurance);
    // Writes rows still buffered; due before the tables are read or the
    // transaction commits. Throws DatabaseError with the server's message.
    void flush();

private:
    enum class Special : char { None, Origin, Insurance };
    struct Field {
        int start; // 0-based
        int length;
        char type; // 0: never filled
        Special special;
    };

    Value convert(const Field& field, QByteArrayView line, bool standardInsurance) const;

    std::unique_ptr<BulkSink> sink_;
    std::vector<Field> fields_[4]; // per record type, in column order
    std::vector<Value> values_;
    int typeStart_ = 0;
    int typeLength_ = 0;
    int currentYear_ = 0;
};

} // namespace ostrapel
