#include "BulkInserter.h"

#include "InsertStatements.h"
#include "StatementFields.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/Encoding.h"
#include "core/EngineError.h"
#include "core/RecordCatalogue.h"
#include "core/SqliteHandle.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>
#include <libpq-fe.h>
#include <sqlite3.h>

namespace ostrapel {

namespace {

const char* const kTypes[4] = {"00", "10", "50", "99"};

QByteArrayView cut(QByteArrayView line, int start, int length) {
    if (start < 0 || start >= line.size()) return QByteArrayView("", 0);
    if (length < 0 || length > line.size() - start) length = int(line.size() - start);
    return line.sliced(start, length);
}

bool isAscii(QByteArrayView text) {
    for (const char c : text)
        if (uchar(c) >= 0x80) return false;
    return true;
}

using Value = BulkInserter::Value;
using Method = BulkInserter::Method;

// yyyy-mm-dd, as the SQLite file stores dates; empty for a year of more than four digits.
QByteArray isoDate(const QDate& date) {
    if (date.year() < 1 || date.year() > 9999) return {};
    char text[11];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year(), date.month(), date.day());
    return QByteArray(text, 10);
}

// Hundredths as exact decimal text: the server reads it as the double n / 100.0 is.
void appendCents(QByteArray& out, int hundredths) {
    qint64 v = hundredths;
    if (v < 0) {
        out += '-';
        v = -v;
    }
    out += QByteArray::number(v / 100);
    out += '.';
    out += char('0' + v % 100 / 10);
    out += char('0' + v % 10);
}

// ---- SQLite: prepared statements on the engine's handle

class SqliteSink : public BulkInserter::Sink {
public:
    SqliteSink(sqlite3* db, Connection& connection, const RecordCatalogue& catalogue,
               const std::vector<size_t>& columns)
        : db_(db) {
        try {
            for (int i = 0; i < 4; ++i) {
                Insert& insert = inserts_[i];
                insert.jetSql = buildInsertStatement(catalogue, QString::fromLatin1(kTypes[i]));
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

// ---- PostgreSQL

// "bord50" ("ID01", ...): the table's columns in their order, which is the
// order of the catalogue's fields the SQLite statements insert positionally.
QString tableWithColumns(const Connection& connection, int table, size_t expected) {
    const QString name = QStringLiteral("bord") + QLatin1String(kTypes[table]);
    const QStringList columns = connection.columnNames(name);
    if (size_t(columns.size()) != expected)
        throw DatabaseError(QStringLiteral("Databasefout: de tabel %1 heeft %2 kolommen in plaats van %3.")
                                .arg(name)
                                .arg(columns.size())
                                .arg(expected));
    QStringList quoted;
    for (const QString& c : columns)
        quoted << u'"' + QString(c).replace(u'"', QStringLiteral("\"\"")) + u'"';
    return u'"' + name + QStringLiteral("\" (") + quoted.join(QStringLiteral(", ")) + u')';
}

// The libpq connection behind the Qt connection, when it can be used for COPY:
// the driver's own open session (same server process as Qt's queries), talking UTF-8.
PGconn* postgreSqlHandle(Connection& connection) {
    const QSqlDatabase db = connection.database();
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    // Qt names the type by its typedef or by the struct behind it, depending on the version
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    PGconn* conn = *static_cast<PGconn* const*>(handle.constData());
    if (!conn || PQstatus(conn) != CONNECTION_OK) return nullptr;
    if (PQclientEncoding(conn) != pg_char_to_encoding("UTF8")) return nullptr;
    QSqlQuery pid(db);
    if (!pid.exec(QStringLiteral("select pg_backend_pid()")) || !pid.next() ||
        pid.value(0).toInt() != PQbackendPID(conn))
        return nullptr;
    return conn;
}

const QString kOutsideTransaction =
    QStringLiteral("Databasefout: de import schrijft alleen binnen een geldige transactie.");

QString serverMessage(const char* message) {
    return QStringLiteral("Databasefout: %1").arg(QString::fromUtf8(message).trimmed());
}

// COPY ... FROM STDIN in text format, one buffer per table.
class CopySink : public BulkInserter::Sink {
public:
    CopySink(PGconn* conn, const Connection& connection, const std::vector<size_t>& columns) : conn_(conn) {
        for (int i = 0; i < 4; ++i)
            copy_[i] = (QStringLiteral("COPY ") + tableWithColumns(connection, i, columns[size_t(i)]) +
                        QStringLiteral(" FROM STDIN"))
                           .toUtf8();
    }

    Method method() const override { return Method::PostgreSqlCopy; }

    void row(int table, const Value* values, size_t count) override {
        QByteArray& out = buffers_[table];
        for (size_t i = 0; i < count; ++i) {
            if (i) out += '\t';
            const Value& v = values[i];
            switch (v.kind) {
            case Value::Null:
                out += "\\N";
                break;
            case Value::Text:
                if (isAscii(v.text))
                    appendEscaped(out, v.text);
                else
                    appendEscaped(out, decodeCp1252(v.text).toUtf8());
                break;
            case Value::Date: {
                const QByteArray date = isoDate(v.date);
                out += date.isEmpty() ? QByteArrayView("\\N") : QByteArrayView(date);
                break;
            }
            case Value::Integer:
                out += QByteArray::number(v.number);
                break;
            case Value::Cents:
                appendCents(out, v.number);
                break;
            }
        }
        out += '\n';
        if (out.size() >= kFlushSize) copyTable(table);
    }

    void flush() override {
        for (int i = 0; i < 4; ++i)
            copyTable(i);
    }

private:
    static constexpr qsizetype kFlushSize = 8 << 20;

    static void appendEscaped(QByteArray& out, QByteArrayView text) {
        for (const char c : text) {
            switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
            }
        }
    }

    void copyTable(int table) {
        QByteArray& data = buffers_[table];
        if (data.isEmpty()) return;
        // what a forward-only query of Qt's left unread; Qt discards it as well before its next query
        if (PQtransactionStatus(conn_) == PQTRANS_ACTIVE) drain();
        // rows outside the file's transaction would stay when it rolls back
        if (PQtransactionStatus(conn_) != PQTRANS_INTRANS) throw DatabaseError(kOutsideTransaction);
        PGresult* start = PQexec(conn_, copy_[table].constData());
        const bool copying = PQresultStatus(start) == PGRES_COPY_IN;
        const QString startError = serverMessage(PQresultErrorMessage(start));
        PQclear(start);
        if (!copying) {
            drain();
            throw DatabaseError(startError);
        }
        QString error;
        if (PQputCopyData(conn_, data.constData(), int(data.size())) != 1) {
            error = serverMessage(PQerrorMessage(conn_));
            PQputCopyEnd(conn_, "afgebroken");
        } else if (PQputCopyEnd(conn_, nullptr) != 1) {
            error = serverMessage(PQerrorMessage(conn_));
        }
        while (PGresult* result = PQgetResult(conn_)) {
            if (PQresultStatus(result) != PGRES_COMMAND_OK && error.isEmpty())
                error = serverMessage(PQresultErrorMessage(result));
            PQclear(result);
        }
        data.clear();
        if (!error.isEmpty()) throw DatabaseError(error);
    }

    void drain() {
        while (PGresult* result = PQgetResult(conn_))
            PQclear(result);
    }

    PGconn* conn_;
    QByteArray copy_[4];
    QByteArray buffers_[4];
};

// Multi-row INSERTs through Qt, for a driver whose libpq handle cannot be had.
class InsertSink : public BulkInserter::Sink {
public:
    InsertSink(Connection& connection, const std::vector<size_t>& columns) : connection_(connection) {
        for (int i = 0; i < 4; ++i)
            prefix_[i] = QStringLiteral("INSERT INTO ") +
                         tableWithColumns(connection, i, columns[size_t(i)]) + QStringLiteral(" VALUES ");
    }

    Method method() const override { return Method::PostgreSqlInserts; }

    void row(int table, const Value* values, size_t count) override {
        QString& sql = sql_[table];
        if (rows_[table]) sql += u',';
        sql += u'(';
        for (size_t i = 0; i < count; ++i) {
            if (i) sql += u',';
            const Value& v = values[i];
            // quoted, so each value is read as its column's type
            switch (v.kind) {
            case Value::Null:
                sql += QStringLiteral("NULL");
                break;
            case Value::Text: {
                QString text = decodeCp1252(v.text);
                text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("''"));
                sql += QStringLiteral("E'") + text + u'\'';
                break;
            }
            case Value::Date: {
                const QByteArray date = isoDate(v.date);
                sql += date.isEmpty() ? QStringLiteral("NULL") : u'\'' + QString::fromLatin1(date) + u'\'';
                break;
            }
            case Value::Integer:
                sql += u'\'' + QString::number(v.number) + u'\'';
                break;
            case Value::Cents: {
                QByteArray cents;
                appendCents(cents, v.number);
                sql += u'\'' + QString::fromLatin1(cents) + u'\'';
                break;
            }
            }
        }
        sql += u')';
        if (++rows_[table] >= kRowsPerInsert) insertTable(table);
    }

    void flush() override {
        for (int i = 0; i < 4; ++i)
            insertTable(i);
    }

private:
    static constexpr int kRowsPerInsert = 250;

    void insertTable(int table) {
        if (!rows_[table]) return;
        if (!connection_.inTransaction()) throw DatabaseError(kOutsideTransaction);
        QSqlQuery q(connection_.database());
        const bool ok = q.exec(prefix_[table] + sql_[table]);
        sql_[table].clear();
        rows_[table] = 0;
        if (!ok) throw DatabaseError(QStringLiteral("Databasefout: %1").arg(q.lastError().text()));
    }

    Connection& connection_;
    QString prefix_[4];
    QString sql_[4];
    int rows_[4] = {};
};

} // namespace

BulkInserter::BulkInserter(Connection& connection, const RecordCatalogue& catalogue)
    : BulkInserter(connection, catalogue, false) {}

BulkInserter::BulkInserter(Connection& connection, const RecordCatalogue& catalogue, bool inserts)
    : currentYear_(thisYear()) {
    const RecordField* type = catalogue.findField(ostrapel::Field::RecordType);
    typeStart_ = type->start - 1;
    typeLength_ = type->length;
    std::vector<size_t> columns;
    for (int i = 0; i < 4; ++i) {
        const QString recordType = QString::fromLatin1(kTypes[i]);
        for (const QString& kind : {QStringLiteral("ID"), recordType}) {
            const KindEntries* list = catalogue.kindList(kind);
            if (!list) continue;
            for (size_t k = 0; k < list->size(); ++k) {
                const RecordField& e = *(*list)[k];
                Special special = Special::None;
                if (kind == QStringLiteral("50") && e.name.mid(2, 2) == QStringLiteral("02"))
                    special = Special::Origin;
                if (kind == QStringLiteral("10") && e.name.mid(2, 2) == QStringLiteral("24"))
                    special = Special::Insurance;
                // the first field of a record type is never filled
                const bool skipped = kind != QStringLiteral("ID") && k == 0;
                fields_[i].push_back(
                    {e.start - 1, e.length, skipped ? char(0) : char(e.type.toLatin1()), special});
            }
        }
        columns.push_back(fields_[i].size());
        values_.resize(std::max(values_.size(), fields_[i].size()));
    }
    if (!connection.isPostgreSql()) {
        sqlite3* handle = sqliteHandle(connection.database());
        if (!handle)
            throw DatabaseError(QStringLiteral("Databasefout: de verbinding heeft geen SQLite-database."));
        sink_ = std::make_unique<SqliteSink>(handle, connection, catalogue, columns);
    } else if (PGconn* conn = inserts ? nullptr : postgreSqlHandle(connection)) {
        sink_ = std::make_unique<CopySink>(conn, connection, columns);
    } else {
        sink_ = std::make_unique<InsertSink>(connection, columns);
    }
}

BulkInserter::~BulkInserter() = default;

BulkInserter::Method BulkInserter::method() const {
    return sink_->method();
}

int BulkInserter::recordIndex(QByteArrayView line) const {
    const QByteArrayView type = cut(line, typeStart_, typeLength_);
    for (int i = 0; i < 4; ++i)
        if (type == QByteArrayView(kTypes[i], 2)) return i;
    return -1;
}

void BulkInserter::insert(int recordIndex, QByteArrayView line, bool standardInsurance) {
    const std::vector<Field>& fields = fields_[recordIndex];
    for (size_t i = 0; i < fields.size(); ++i)
        values_[i] = convert(fields[i], line, standardInsurance);
    sink_->row(recordIndex, values_.data(), fields.size());
}

void BulkInserter::flush() {
    sink_->flush();
}

BulkInserter::Value BulkInserter::convert(const Field& field, QByteArrayView line,
                                          bool standardInsurance) const {
    Value v;
    if (!field.type) return v;
    if (field.special == Special::Insurance && standardInsurance) {
        v.kind = Value::Text;
        v.text = QByteArrayView(" ", 1);
        return v;
    }
    QByteArrayView raw = cut(line, field.start, field.length);
    if (field.special == Special::Origin && raw.size() == 1) {
        if (raw[0] == 'I' || raw[0] == 'i')
            raw = QByteArrayView("1", 1);
        else if (raw[0] == 'M' || raw[0] == 'm')
            raw = QByteArrayView("2", 1);
    }
    switch (field.type) {
    case 'A':
        v.kind = Value::Text;
        v.text = trimControl(raw);
        break;
    case 'D':
        // stored as yyyy-mm-dd, so text order is date order on SQLite
        v.date = readStatementDate(QString::fromLatin1(raw), currentYear_);
        if (v.date.isValid()) v.kind = Value::Date;
        break;
    case 'N':
        v.kind = Value::Integer;
        if (!readWholeNumber(raw, &v.number)) v.number = 0;
        break;
    case 'S':
        v.kind = Value::Cents;
        if (!readWholeNumber(raw, &v.number)) v.number = 0;
        break;
    default:
        break;
    }
    return v;
}

} // namespace ostrapel
