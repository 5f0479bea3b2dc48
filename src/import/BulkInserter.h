#pragma once

#include <QByteArrayView>
#include <QString>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace ostrapel {

class Connection;
class RecordCatalogue;

// Writes statement lines into bord00/10/50/99 through the engine's own
// prepared statements on the connection's handle: one statement per record
// type, each field converted straight from the file's Windows-1252 bytes and
// bound once, as convertFieldValue reads it. Lives for one file, inside that
// file's transaction.
class BulkInserter {
public:
    BulkInserter(Connection& connection, const RecordCatalogue& catalogue);
    ~BulkInserter();
    BulkInserter(const BulkInserter&) = delete;
    BulkInserter& operator=(const BulkInserter&) = delete;

    // 0..3 for the record types "00", "10", "50", "99"; -1 for any other.
    int recordIndex(QByteArrayView line) const;
    // Inserts the line as a row of that record type; throws DatabaseError. Text
    // is bound without a copy: the line's bytes must outlive the inserter.
    void insert(int recordIndex, QByteArrayView line, bool standardInsurance);

private:
    enum class Special : char { None, Origin, Insurance };
    struct Field {
        int start; // 0-based
        int length;
        char type;
        Special special;
    };
    struct Insert {
        sqlite3_stmt* statement = nullptr;
        QString jetSql;
        std::vector<Field> fields; // in parameter order; empty type: never bound
    };

    void bindField(sqlite3_stmt* statement, int parameter, const Field& field, QByteArrayView line,
                   bool standardInsurance);
    static void bindText(sqlite3_stmt* statement, int parameter, QByteArrayView text);
    [[noreturn]] void fail(const Insert& insert) const;

    sqlite3* db_ = nullptr;
    Insert inserts_[4];
    int typeStart_ = 0;
    int typeLength_ = 0;
    int currentYear_ = 0;
};

} // namespace ostrapel
