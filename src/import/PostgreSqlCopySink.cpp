#include "PostgreSqlCopySink.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/Encoding.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <libpq-fe.h>

namespace ostrapel {

namespace {

using Method = BulkSink::Method;
using Value = BulkSink::Value;

QString serverMessage(const char* message) {
    return QStringLiteral("Databasefout: %1").arg(QString::fromUtf8(message).trimmed());
}

class CopySink : public BulkSink {
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

} // namespace

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

std::unique_ptr<BulkSink> makePostgreSqlCopySink(PGconn* conn, const Connection& connection,
                                                 const std::vector<size_t>& columns) {
    return std::make_unique<CopySink>(conn, connection, columns);
}

} // namespace ostrapel
