#include "BulkInserter.h"

#include "PostgreSqlCopySink.h"
#include "PostgreSqlInsertSink.h"
#include "SqliteStatementSink.h"
#include "StatementFields.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/RecordCatalogue.h"
#include "core/SqliteHandle.h"

namespace ostrapel {

namespace {

QByteArrayView cut(QByteArrayView line, int start, int length) {
    if (start < 0 || start >= line.size()) return QByteArrayView("", 0);
    if (length < 0 || length > line.size() - start) length = int(line.size() - start);
    return line.sliced(start, length);
}

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
        const QString recordType = QString::fromLatin1(kBulkRecordTypes[i]);
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
        sink_ = makeSqliteStatementSink(handle, connection, catalogue, columns);
    } else if (PGconn* conn = inserts ? nullptr : postgreSqlHandle(connection)) {
        sink_ = makePostgreSqlCopySink(conn, connection, columns);
    } else {
        sink_ = makePostgreSqlInsertSink(connection, columns);
    }
}

BulkInserter::~BulkInserter() = default;

BulkInserter::Method BulkInserter::method() const {
    return sink_->method();
}

int BulkInserter::recordIndex(QByteArrayView line) const {
    const QByteArrayView type = cut(line, typeStart_, typeLength_);
    for (int i = 0; i < 4; ++i)
        if (type == QByteArrayView(kBulkRecordTypes[i], 2)) return i;
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
