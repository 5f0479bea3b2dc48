#include "SqliteStatementSink.h"

#include "InsertStatements.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/Encoding.h"
#include "core/EngineError.h"
#include "core/JetDialect.h"

#include <sqlite3.h>

namespace ostrapel {

namespace {

using Method = BulkSink::Method;
using Value = BulkSink::Value;

class SqliteSink : public BulkSink {
public:
    SqliteSink(sqlite3* db, Connection& connection, const RecordCatalogue& catalogue,
               const std::vector<size_t>& columns)
        : db_(db) {
        try {
            for (int i = 0; i < 4; ++i) {
                Insert& insert = inserts_[i];
                insert.jetSql = buildInsertStatement(catalogue, QString::fromLatin1(kBulkRecordTypes[i]));
                const QByteArray sql = connection.dialect().translate(insert.jetSql).sql.toUtf8();
                if (sqlite3_prepare_v3(db_, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                       &insert.statement, nullptr) != SQLITE_OK)
                    fail(insert);
                if (sqlite3_bind_parameter_count(insert.statement) != int(columns[size_t(i)]))
                    throw DatabaseError(
                        QStringLiteral("Databasefout: de opdracht heeft niet %1 parameters:\n\n%2")
                            .arg(columns[size_t(i)])
                            .arg(insert.jetSql));
            }
        } catch (...) {
            finalize();
            throw;
        }
    }
    ~SqliteSink() override { finalize(); }

    Method method() const override { return Method::SqliteStatements; }

    void row(int table, const Value* values, size_t count) override {
        Insert& insert = inserts_[table];
        sqlite3_stmt* s = insert.statement;
        for (size_t i = 0; i < count; ++i) {
            const Value& v = values[i];
            const int parameter = int(i) + 1;
            switch (v.kind) {
            case Value::Null:
                sqlite3_bind_null(s, parameter);
                break;
            case Value::Text:
                bindText(s, parameter, v.text);
                break;
            case Value::Date: {
                const QByteArray iso = isoDate(v.date);
                if (!iso.isEmpty()) {
                    sqlite3_bind_text(s, parameter, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
                    break;
                }
                // what Qt writes for a year of more than four digits
                const QString text = v.date.toString(Qt::ISODate);
                sqlite3_bind_text16(s, parameter, text.utf16(), int(text.size() * sizeof(QChar)),
                                    SQLITE_TRANSIENT);
                break;
            }
            case Value::Integer:
                sqlite3_bind_int(s, parameter, v.number);
                break;
            case Value::Cents:
                sqlite3_bind_double(s, parameter, double(v.number) / 100.0);
                break;
            }
        }
        if (sqlite3_step(s) != SQLITE_DONE) fail(insert);
        sqlite3_reset(s);
    }

private:
    struct Insert {
        sqlite3_stmt* statement = nullptr;
        QString jetSql;
    };

    static void bindText(sqlite3_stmt* statement, int parameter, QByteArrayView text) {
        // ASCII is its own UTF-8; the line outlives the row, so it is not copied
        if (isAscii(text)) {
            sqlite3_bind_text(statement, parameter, text.data() ? text.data() : "", int(text.size()),
                              SQLITE_STATIC);
            return;
        }
        const QString decoded = decodeCp1252(text);
        sqlite3_bind_text16(statement, parameter, decoded.utf16(), int(decoded.size() * sizeof(QChar)),
                            SQLITE_TRANSIENT);
    }

    [[noreturn]] void fail(const Insert& insert) const {
        const QString error = QString::fromUtf8(sqlite3_errmsg(db_));
        if (insert.statement) sqlite3_reset(insert.statement);
        throwEngineError(error, insert.jetSql);
    }

    void finalize() {
        for (Insert& insert : inserts_) {
            sqlite3_finalize(insert.statement);
            insert.statement = nullptr;
        }
    }

    sqlite3* db_;
    Insert inserts_[4];
};

} // namespace

std::unique_ptr<BulkSink> makeSqliteStatementSink(sqlite3* db, Connection& connection,
                                                  const RecordCatalogue& catalogue,
                                                  const std::vector<size_t>& columns) {
    return std::make_unique<SqliteSink>(db, connection, catalogue, columns);
}

} // namespace ostrapel
