#include "DatabaseMigration.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DatabaseError.h"
#include "core/PostgreSqlSchema.h"

#include <QDate>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ostrapel {

namespace {

// Rows per insert statement: few round trips, and well below the engines' parameter limits.
constexpr int kRowsPerInsert = 100;

QString quoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

[[noreturn]] void fail(const QString& what, const QSqlError& error) {
    throw DatabaseError(
        QStringLiteral("Het kopiëren is mislukt; er is niets gekopieerd.\r\n%1: %2").arg(what, error.text()));
}

qint64 rowCount(const QSqlDatabase& db, const QString& table) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select count(*) from ") + quoted(table)) || !q.next())
        fail(table, q.lastError());
    return q.value(0).toLongLong();
}

// The value as the target column takes it: SQLite keeps dates as text and an
// unreadable date as an empty text, which a date column holds as NULL.
QVariant forTarget(const QVariant& value, const QSqlField& target, const QString& where) {
    if (value.isNull() || target.metaType().id() != QMetaType::QDate ||
        value.metaType().id() == QMetaType::QDate)
        return value;
    const QString text = value.toString().trimmed();
    if (text.isEmpty()) return QVariant(QMetaType::fromType<QDate>());
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    if (!date.isValid())
        throw DatabaseError(
            QStringLiteral("Het kopiëren is mislukt; er is niets gekopieerd.\r\n%1 bevat \"%2\", geen datum.")
                .arg(where, text));
    return date;
}

class TableCopier {
public:
    TableCopier(const QSqlDatabase& from, const QSqlDatabase& to, const QString& table,
                const QStringList& columns)
        : from_(from), to_(to), table_(table), columns_(columns), targetRecord_(to.record(table)) {}

    qint64 copy() {
        QStringList names;
        for (const QString& c : columns_)
            names << quoted(c);
        QSqlQuery read(from_);
        read.setForwardOnly(true);
        if (!read.exec(QStringLiteral("select %1 from %2").arg(names.join(u','), quoted(table_))))
            fail(table_, read.lastError());
        std::vector<QVariant> batch;
        qint64 rows = 0;
        while (read.next()) {
            for (int i = 0; i < columns_.size(); ++i)
                batch.push_back(
                    forTarget(read.value(i), targetRecord_.field(columns_[i]), table_ + u'.' + columns_[i]));
            if (++rows % kRowsPerInsert == 0) write(batch, names);
        }
        if (read.lastError().isValid()) fail(table_, read.lastError());
        write(batch, names);
        return rows;
    }

private:
    void write(std::vector<QVariant>& batch, const QStringList& names) {
        if (batch.empty()) return;
        const int rows = int(batch.size() / size_t(columns_.size()));
        // a full batch reuses its statement; the last, shorter one has its own
        QSqlQuery partial(to_);
        QSqlQuery& insert = rows == kRowsPerInsert ? full_ : partial;
        if (rows != kRowsPerInsert || !fullPrepared_) {
            const QString tuple = u'(' + QStringList(columns_.size(), QStringLiteral("?")).join(u',') + u')';
            if (!insert.prepare(
                    QStringLiteral("insert into %1 (%2) values %3")
                        .arg(quoted(table_), names.join(u','), QStringList(rows, tuple).join(u','))))
                fail(table_, insert.lastError());
            fullPrepared_ = fullPrepared_ || rows == kRowsPerInsert;
        }
        for (size_t i = 0; i < batch.size(); ++i)
            insert.bindValue(int(i), batch[i]);
        if (!insert.exec()) fail(table_, insert.lastError());
        batch.clear();
    }

    QSqlDatabase from_, to_;
    QString table_;
    QStringList columns_;
    QSqlRecord targetRecord_;
    QSqlQuery full_{to_};
    bool fullPrepared_ = false;
};

// Tables that hold the user's data: a target with rows there is not overwritten.
bool holdsUserData(const QString& table) {
    return table.startsWith(QStringLiteral("bord"), Qt::CaseInsensitive) ||
           table.compare(QStringLiteral("Filters"), Qt::CaseInsensitive) == 0;
}

} // namespace

QList<DatabaseMigration::Table> DatabaseMigration::run(const QString& fromConnectionString,
                                                       const QString& toConnectionString, const Log& log) {
    Connection from(QStringLiteral("migrate-from"));
    from.open(fromConnectionString);
    Connection to(QStringLiteral("migrate-to"));
    to.open(toConnectionString);
    if (to.tableNames().isEmpty() && to.isPostgreSql()) {
        to.close();
        if (log) log(QStringLiteral("De database wordt aangemaakt ..."));
        createDeliveredPostgreSqlDatabase(toConnectionString);
        to.open(toConnectionString);
    }

    QList<Table> tables;
    for (const QString& table : from.tableNames()) {
        if (!to.hasTable(table)) {
            if (log) log(QStringLiteral("%1: niet in de doeldatabase, overgeslagen").arg(table));
            continue;
        }
        for (const QString& name : to.tableNames()) // as the target spells it
            if (name.compare(table, Qt::CaseInsensitive) == 0) tables.append({name, 0});
    }
    QSqlDatabase target = to.database();
    for (const Table& t : std::as_const(tables))
        if (holdsUserData(t.name) && rowCount(target, t.name) > 0)
            throw DatabaseError(
                QStringLiteral("De doeldatabase bevat al gegevens (tabel %1); er is niets gekopieerd.")
                    .arg(t.name));

    if (!target.transaction()) fail(QStringLiteral("begin"), target.lastError());
    try {
        for (Table& t : tables) {
            QStringList columns;
            const QStringList sourceColumns = from.columnNames(t.name);
            for (const QString& c : to.columnNames(t.name))
                if (sourceColumns.contains(c, Qt::CaseInsensitive)) columns << c;
            QSqlQuery clear(target);
            if (!clear.exec(QStringLiteral("delete from ") + quoted(t.name))) fail(t.name, clear.lastError());
            t.rows = TableCopier(from.database(), target, t.name, columns).copy();
            const qint64 source = rowCount(from.database(), t.name), copied = rowCount(target, t.name);
            if (source != copied || copied != t.rows)
                throw DatabaseError(QStringLiteral("Het kopiëren is mislukt; er is niets gekopieerd.\r\n"
                                                   "%1: %2 rijen in de bron, %3 gekopieerd.")
                                        .arg(t.name)
                                        .arg(source)
                                        .arg(copied));
            if (log) log(QStringLiteral("%1: %2 rijen").arg(t.name).arg(t.rows));
        }
        if (to.isPostgreSql() && to.hasTable(QStringLiteral("Filters"))) {
            // the next filter number follows the copied ones
            QSqlQuery next(target);
            if (!next.exec(QStringLiteral("select setval(pg_get_serial_sequence('\"Filters\"', 'FilterId'), "
                                          "coalesce(max(\"FilterId\"), 0) + 1, false) from \"Filters\"")))
                fail(QStringLiteral("Filters"), next.lastError());
        }
        if (!target.commit()) fail(QStringLiteral("commit"), target.lastError());
    } catch (...) {
        target.rollback();
        throw;
    }
    return tables;
}

} // namespace ostrapel
