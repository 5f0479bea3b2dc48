#include "PostgreSqlInsertSink.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/Encoding.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ostrapel {

namespace {

using Value = BulkSink::Value;
using Method = BulkSink::Method;

class InsertSink : public BulkSink {
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

std::unique_ptr<BulkSink> makePostgreSqlInsertSink(Connection& connection,
                                                   const std::vector<size_t>& columns) {
    return std::make_unique<InsertSink>(connection, columns);
}

} // namespace ostrapel
