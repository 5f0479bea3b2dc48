#include "BulkInserter.h"

#include "InsertStatements.h"
#include "StatementFields.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/Encoding.h"
#include "core/RecordCatalogue.h"
#include "core/SqliteHandle.h"

#include <QSqlDriver>
#include <QSqlQuery>
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

sqlite3* engineHandle(Connection& connection) {
    sqlite3* handle = sqliteHandle(connection.database());
    if (!handle)
        throw DatabaseError(QStringLiteral("Databasefout: de verbinding heeft geen SQLite-database."));
    return handle;
}

} // namespace

BulkInserter::BulkInserter(Connection& connection, const RecordCatalogue& catalogue)
    : db_(engineHandle(connection)), currentYear_(thisYear()) {
    const RecordField* type = catalogue.findField(QStringLiteral("ID08"));
    typeStart_ = type->start - 1;
    typeLength_ = type->length;
    try {
        for (int i = 0; i < 4; ++i) {
            Insert& insert = inserts_[i];
            const QString recordType = QString::fromLatin1(kTypes[i]);
            insert.jetSql = buildInsertStatement(catalogue, recordType);
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
                    insert.fields.push_back(
                        {e.start - 1, e.length, skipped ? char(0) : char(e.type.toLatin1()), special});
                }
            }
            const QByteArray sql = connection.dialect().translate(insert.jetSql).sql.toUtf8();
            if (sqlite3_prepare_v3(db_, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                   &insert.statement, nullptr) != SQLITE_OK)
                fail(insert);
            if (sqlite3_bind_parameter_count(insert.statement) != int(insert.fields.size()))
                throw DatabaseError(
                    QStringLiteral("Databasefout: de opdracht heeft niet %1 parameters:\n\n%2")
                        .arg(insert.fields.size())
                        .arg(insert.jetSql));
        }
    } catch (...) {
        for (Insert& insert : inserts_)
            sqlite3_finalize(insert.statement);
        throw;
    }
}

BulkInserter::~BulkInserter() {
    for (Insert& insert : inserts_)
        sqlite3_finalize(insert.statement);
}

int BulkInserter::recordIndex(QByteArrayView line) const {
    const QByteArrayView type = cut(line, typeStart_, typeLength_);
    for (int i = 0; i < 4; ++i)
        if (type == QByteArrayView(kTypes[i], 2)) return i;
    return -1;
}

void BulkInserter::insert(int recordIndex, QByteArrayView line, bool standardInsurance) {
    Insert& insert = inserts_[recordIndex];
    for (size_t i = 0; i < insert.fields.size(); ++i)
        if (insert.fields[i].type)
            bindField(insert.statement, int(i) + 1, insert.fields[i], line, standardInsurance);
    if (sqlite3_step(insert.statement) != SQLITE_DONE) fail(insert);
    sqlite3_reset(insert.statement);
}

void BulkInserter::bindField(sqlite3_stmt* statement, int parameter, const Field& field, QByteArrayView line,
                             bool standardInsurance) {
    if (field.special == Special::Insurance && standardInsurance) {
        sqlite3_bind_text(statement, parameter, " ", 1, SQLITE_STATIC);
        return;
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
        bindText(statement, parameter, trimControl(raw));
        break;
    case 'D': {
        // dates are stored as yyyy-mm-dd text, so text order is date order
        const QDate date = readStatementDate(QString::fromLatin1(raw), currentYear_);
        if (!date.isValid()) {
            sqlite3_bind_null(statement, parameter);
            break;
        }
        const QString text = date.toString(Qt::ISODate);
        sqlite3_bind_text16(statement, parameter, text.utf16(), int(text.size() * sizeof(QChar)),
                            SQLITE_TRANSIENT);
        break;
    }
    case 'N': {
        int v = 0;
        sqlite3_bind_int(statement, parameter, readWholeNumber(raw, &v) ? v : 0);
        break;
    }
    case 'S': {
        int v = 0;
        sqlite3_bind_double(statement, parameter, readWholeNumber(raw, &v) ? double(v) / 100.0 : 0.0);
        break;
    }
    default:
        sqlite3_bind_null(statement, parameter);
    }
}

void BulkInserter::bindText(sqlite3_stmt* statement, int parameter, QByteArrayView text) {
    // ASCII is its own UTF-8; the line outlives the row, so it is not copied
    if (isAscii(text)) {
        sqlite3_bind_text(statement, parameter, text.data(), int(text.size()), SQLITE_STATIC);
        return;
    }
    const QString decoded = decodeCp1252(text.toByteArray());
    sqlite3_bind_text16(statement, parameter, decoded.utf16(), int(decoded.size() * sizeof(QChar)),
                        SQLITE_TRANSIENT);
}

void BulkInserter::fail(const Insert& insert) const {
    const QString error = QString::fromUtf8(sqlite3_errmsg(db_));
    if (insert.statement) sqlite3_reset(insert.statement);
    throw DatabaseError(QStringLiteral("Databasefout: %1\n\n%2").arg(error, insert.jetSql));
}

} // namespace ostrapel
