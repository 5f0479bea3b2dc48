// What the import stores per field: the engine's own statements must store
// exactly the values and types the field conversion gives.
#include "ImportFixture.h"
#include "core/DatabaseError.h"
#include "core/Encoding.h"
#include "core/Transaction.h"
#include "import/BulkInserter.h"
#include "import/CheckPass.h"
#include "import/ImportRun.h"
#include "import/StatementFields.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace ostrapel;

namespace {

class BulkInsertTest : public test::ImportFixture {
protected:
    // The stored value of a column and its class as SQLite names it: null,
    // integer, real or text. On PostgreSQL the class of a value is its column's type.
    std::pair<QString, QVariant> stored(const QString& table, const QString& column,
                                        const QString& where = {}) const {
        const QString sql = test::usingPostgreSql()
                                ? QStringLiteral("select case when \"%1\" is null then 'null' else "
                                                 "pg_typeof(\"%1\")::text end, \"%1\" from %2 %3")
                                : QStringLiteral("select typeof(\"%1\"), \"%1\" from %2 %3");
        QSqlQuery q(db->database());
        if (!q.exec(sql.arg(column, table, where)) || !q.next()) {
            ADD_FAILURE() << (q.lastError().text() + u'\n' + sql.arg(column, table, where)).toStdString();
            return {};
        }
        static const QHash<QString, QString> classes = {
            {QStringLiteral("integer"), QStringLiteral("integer")},
            {QStringLiteral("double precision"), QStringLiteral("real")},
            {QStringLiteral("citext"), QStringLiteral("text")},
            {QStringLiteral("date"), QStringLiteral("text")}};
        QString kind = q.value(0).toString();
        if (test::usingPostgreSql()) kind = classes.value(kind, kind);
        return {kind, q.value(1)};
    }
};

// The SQLite storage class a converted value must get.
QString storageClass(const QVariant& v) {
    if (v.isNull()) return QStringLiteral("null");
    switch (v.metaType().id()) {
    case QMetaType::Int:
        return QStringLiteral("integer");
    case QMetaType::Double:
        return QStringLiteral("real");
    default:
        return QStringLiteral("text");
    }
}

} // namespace

TEST_F(BulkInsertTest, EveryColumnGetsTheTypeOfItsField) {
    write(QStringLiteral("000012001-01S.dat"), statement(12, QStringLiteral("2006-01"), {"A"}, true));
    ImportRun r(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
    r.setSingleFile(dir.filePath(QStringLiteral("Import/000012001-01S.dat")));
    r.execute([](std::vector<StatementSummary>& s) {
        s[0].importFlag = u'J';
        return true;
    });
    for (const char* type : {"00", "10", "50", "99"}) {
        const QString table = QStringLiteral("bord") + QLatin1String(type);
        for (const QString& kind : {QStringLiteral("ID"), QString::fromLatin1(type)}) {
            const KindEntries& fields = *catalogue.kindList(kind);
            for (size_t i = 0; i < fields.size(); ++i) {
                const RecordField& f = *fields[i];
                const QString stored = this->stored(table, f.name).first;
                QStringList allowed;
                if (kind != QStringLiteral("ID") && i == 0)
                    allowed = {QStringLiteral("null")}; // the first field is never filled
                else if (f.type == u'N')
                    allowed = {QStringLiteral("integer")};
                else if (f.type == u'S')
                    allowed = {QStringLiteral("real")};
                else if (f.type == u'A')
                    allowed = {QStringLiteral("text")};
                else
                    allowed = {QStringLiteral("text"), QStringLiteral("null")}; // a date, or none
                EXPECT_TRUE(allowed.contains(stored)) << f.name.toStdString() << ": " << stored.toStdString();
            }
        }
    }
    EXPECT_EQ(stored(QStringLiteral("bord99"), QStringLiteral("9902")).second.toString(),
              QStringLiteral("2006-01-01"));
    EXPECT_EQ(db->scalar(QStringLiteral("select [1024] from bord10")).toString(), QStringLiteral(" "));
}

// Raw field texts, written into a premium-component line, against what the
// conversion of the same text gives.
TEST_F(BulkInsertTest, StoresWhatTheConversionGives) {
    struct Case {
        const char* field;
        QByteArray raw;    // Windows-1252
        bool lineEndsHere; // the line stops right after the raw text
    };
    const Case cases[] = {
        {"5007", "  Jansen  ", false},
        {"5007", "\t tab\x01 ", false},
        {"5007", "\xe9l\x80ne \x81 d\x9fz", false},
        {"5007", "", true}, // the line ends before the field: empty text
        {"5007", "  ab", true},
        {"5002", "m", false},
        {"5002", "I", false},
        {"5002", "i", false},
        {"5002", "X", false},
        {"5002", " ", false},
        {"5009", "2004-12-31", false},
        {"5009", "31.12.2004", false},
        {"5009", "20041231  ", false}, // no separators: no date
        {"5009", "0000-00-00", false}, // no date
        {"5009", "2005-13-01", false}, // no date
        {"5009", " 4- 5-6-  ", false}, // two-digit year
        {"5009", "          ", false}, // blank: no date
        {"5009", "2004-1", true},
        {"ID06", "000012", false},
        {"ID06", "   +12", false},
        {"ID06", "-00001", false},
        {"ID06", "12    ", false}, // trailing blanks: 0
        {"ID06", "x     ", false},
        {"5008", "00000000150", false},
        {"5008", "-0000000250", false},
        {"5008", "        -35", false},
        {"5008", "12         ", false},
        {"5008", "99999999999", false}, // beyond 32 bits: 0
        {"5008", "\xb2", true},
        {"5008", "  12", true},
        {"5001", "Q", false}, // the first field is never filled
        // what COPY's text format must escape, and what it reads as NULL
        {"5007", "a\\b\tc\rd", false},
        {"5007", "\\N", false},
        {"5007", "\\.", true},
        {"5007", "it's", false},
    };
    StatementWriter w(catalogue);
    const QByteArray base = encodeCp1252(w.composeLine(
        QStringLiteral("50"), {{QStringLiteral("ID01"), 12}, {QStringLiteral("ID07"), QStringLiteral("A")}}));
    const RecordField* marker = catalogue.findField(QStringLiteral("ID05")); // the case's number
    QList<QByteArray> lines; // outlive the inserter, which binds their text without a copy
    for (const Case& c : cases) {
        const RecordField* f = catalogue.findField(QString::fromLatin1(c.field));
        QByteArray line = base;
        line.replace(marker->start - 1, marker->length,
                     QByteArray::number(lines.size()).leftJustified(marker->length));
        line.replace(f->start - 1, c.raw.size(), c.raw);
        if (c.lineEndsHere) line.truncate(f->start - 1 + c.raw.size());
        lines << line;
    }
    const std::vector<BulkInserter::Method> methods =
        test::usingPostgreSql()
            ? std::vector{BulkInserter::Method::PostgreSqlCopy, BulkInserter::Method::PostgreSqlInserts}
            : std::vector{BulkInserter::Method::SqliteStatements};
    for (const BulkInserter::Method method : methods) {
        SCOPED_TRACE(int(method));
        db->execute(QStringLiteral("delete from bord50"));
        {
            Transaction t(*db);
            BulkInserter inserter(*db, catalogue, method == BulkInserter::Method::PostgreSqlInserts);
            ASSERT_EQ(inserter.method(), method);
            for (const QByteArray& line : std::as_const(lines)) {
                ASSERT_EQ(inserter.recordIndex(line), 2);
                inserter.insert(2, line, true); // the insurance kind only concerns persons
            }
            inserter.flush();
            t.commit();
        }
        int row = 0;
        for (const Case& c : cases) {
            const QString name = QString::fromLatin1(c.field);
            const RecordField* f = catalogue.findField(name);
            const auto [kind, value] =
                stored(QStringLiteral("bord50"), name, QStringLiteral("where \"ID05\" = '%1'").arg(row++));
            QVariant expected = name == QStringLiteral("5001")
                                    ? QVariant()
                                    : convertFieldValue(name.left(2), name.mid(2, 2), f->type,
                                                        decodeCp1252(c.raw.left(f->length)));
            if (expected.metaType().id() == QMetaType::QDate && !test::usingPostgreSql())
                expected = expected.toDate().toString(Qt::ISODate);
            const std::string what = name.toStdString() + " \"" + c.raw.toStdString() + '"';
            EXPECT_EQ(kind, storageClass(expected)) << what;
            if (expected.isNull())
                EXPECT_TRUE(value.isNull()) << what;
            else
                EXPECT_EQ(value, expected) << what;
        }
        // spot checks of the conversion itself
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where [5002] = '2'")), 1);
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where [5009] = '2004-12-31'")), 2);
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord50 where [5008] = -0.35")), 1);
        EXPECT_EQ(count(QStringLiteral(
                      "select count(*) from bord50 where [5007] = '\u00e9l\u20acne \u0081 d\u0178z'")),
                  1);
    }
}

// The rows are written in the caller's transaction on the program's own
// connection: visible to it before the commit, gone with a rollback, and
// never written outside a transaction.
TEST_F(BulkInsertTest, RowsGoWithTheFilesTransaction) {
    const QStringList text = statement(12, QStringLiteral("2006-01"), {"A", "B"}, true);
    QList<QByteArray> lines;
    for (const QString& line : text)
        lines << encodeCp1252(line);
    const std::vector<bool> inserts = test::usingPostgreSql() ? std::vector{false, true} : std::vector{false};
    for (const bool viaInserts : inserts) {
        SCOPED_TRACE(viaInserts);
        {
            Transaction t(*db);
            BulkInserter inserter(*db, catalogue, viaInserts);
            for (const QByteArray& line : std::as_const(lines))
                inserter.insert(inserter.recordIndex(line), line, true);
            inserter.flush();
            EXPECT_EQ(count(QStringLiteral("select count(*) from bord50")), 2);
            EXPECT_EQ(count(QStringLiteral("select count(*) from bord99")), 1);
        } // rolled back
        for (const char* table : {"bord00", "bord10", "bord50", "bord99"})
            EXPECT_EQ(count(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))), 0) << table;
    }
    for (const bool viaInserts : test::usingPostgreSql() ? inserts : std::vector<bool>{}) {
        BulkInserter inserter(*db, catalogue, viaInserts);
        inserter.insert(2, lines[2], true);
        EXPECT_THROW(inserter.flush(), DatabaseError);
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord50")), 0);
    }
}
