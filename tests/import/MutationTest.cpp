// Deterministic mutation runs over the import's readers: statements, field
// values, archives and the SQL dialect take damaged input without crashing
// (the sanitizer build watches memory and undefined behaviour), and whatever
// the check lets through is imported once and refused after that.
#include "ImportFixture.h"
#include "SampleGenerator.h"
#include "TestZip.h"
#include "core/Connection.h"
#include "core/SharedQueries.h"
#include "import/CheckPass.h"
#include "import/ImportRun.h"
#include "import/StatementFields.h"
#include "import/StatementFile.h"
#include "import/ZipArchive.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <random>

using namespace ostrapel;

namespace {

// Byte-level mutations that keep to what damages statements: flipped and
// inserted bytes (line ends, Ctrl-Z, digits, signs), cut or doubled lines,
// record types and numbers overwritten, truncation.
class Mutator {
public:
    explicit Mutator(quint32 seed) : random_(seed) {}

    QByteArray mutate(QByteArray bytes) {
        const int rounds = 1 + pick(3);
        for (int r = 0; r < rounds; ++r)
            bytes = once(bytes);
        return bytes;
    }
    int pick(int n) { return int(random_() % quint32(std::max(n, 1))); }

private:
    QByteArray once(QByteArray b) {
        static const char special[] = {'\r', '\n', '\x1a', '0', '9', '-', '+', '.', ' ', '\0', '\xff', 'S'};
        const int at = pick(int(b.size()) + 1);
        switch (pick(8)) {
        case 0:
            if (!b.isEmpty()) b[at % b.size()] = char(b[at % b.size()] ^ (1 << pick(8)));
            break;
        case 1:
            b.insert(at, special[pick(int(sizeof special))]);
            break;
        case 2:
            b.remove(at, 1 + pick(40));
            break;
        case 3:
            b.truncate(at);
            break;
        case 4: { // a line doubled or moved
            QList<QByteArray> lines = b.split('\n');
            if (lines.size() > 1) lines.insert(pick(int(lines.size())), lines[pick(int(lines.size()))]);
            b = lines.join('\n');
            break;
        }
        case 5: // a run of nines: numbers past 32 bits
            b.replace(at, 12, QByteArray(12, '9'));
            break;
        case 6: { // another record type where a line starts
            const qsizetype line = b.indexOf('\n', at);
            if (line >= 0 && line + 40 < b.size())
                b.replace(line + 1 + pick(40), 2, QByteArray::number(pick(100)));
            break;
        }
        default:
            b.replace(at, 1 + pick(8), QByteArray(1 + pick(8), char('0' + pick(10))));
        }
        return b;
    }
    std::mt19937 random_;
};

class Mutation : public test::ImportFixture {
protected:
    QByteArray seedStatement(int coll, const QString& period) const {
        SampleOptions o;
        o.collectivities = 1;
        o.firstCollectivity = coll;
        o.persons = 6;
        o.componentsPerPerson = 2;
        QByteArray bytes;
        for (const QString& line : SampleGenerator(catalogue, o).statementLines(0, period))
            bytes += line.toLatin1() + "\r\n";
        return bytes;
    }
    QString writeBytes(const QString& name, const QByteArray& bytes) const {
        const QString path = dir.filePath(QStringLiteral("Import/") + name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    int rows() const {
        return count(QStringLiteral("select (select count(*) from bord00) + (select count(*) from bord10) + "
                                    "(select count(*) from bord50) + (select count(*) from bord99)"));
    }
};

} // namespace

TEST_F(Mutation, StatementsPassTheCheckOnlyWhenTheyImportOnce) {
    const QByteArray seeds[] = {seedStatement(12, QStringLiteral("2005-12")),
                                seedStatement(13, QStringLiteral("2006-01"))};
    Mutator mutator(20261210);
    const int inputs = 300;
    db->database().exec(QStringLiteral("PRAGMA synchronous = OFF")); // many small commits
    int importable = 0, unreadable = 0, imported = 0;
    for (int i = 0; i < inputs; ++i) {
        const QByteArray bytes = mutator.mutate(seeds[i % 2]);
        const QString name = QStringLiteral("0000%1001-01S.dat").arg(12 + i % 2);
        const QString path = writeBytes(name, bytes);
        StatementSummary s;
        try {
            s = checkStatementFile(catalogue, view, path, 1);
        } catch (const ImportError&) {
            ++unreadable; // a value the check must read and cannot: the run ends
            continue;
        }
        if (!isImportable(s) || errorFlags(s) != 0) continue;
        ++importable;
        // what the check lets through is imported once, and refused after that
        for (const char* table : {"bord00", "bord10", "bord50", "bord99"})
            db->execute(QStringLiteral("delete from ") + QLatin1String(table));
        ImportRun first(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
        bool post = false;
        imported +=
            first.importStatementFile(path, s.countedRecords, post, true) == ImportRun::Outcome::Imported;
        const int before = rows();
        ImportRun again(*db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("Import")));
        EXPECT_EQ(again.importStatementFile(path, s.countedRecords, post, true),
                  ImportRun::Outcome::AlreadyImported)
            << "input " << i;
        EXPECT_EQ(rows(), before) << "input " << i;
    }
    EXPECT_GT(imported, 0);
    std::printf("statements: %d mutated, %d unreadable, %d passed the check, %d imported\n", inputs,
                unreadable, importable, imported);
}

TEST(MutationFields, ConversionsTakeAnyText) {
    Mutator mutator(7);
    const QByteArray seeds[] = {"2004-12-31", "31.12.04", "+0000012345", "-35", " 12 ", "I",
                                "M",          "",         "0000-00-00"};
    for (int i = 0; i < 5000; ++i) {
        const QString raw = QString::fromLatin1(mutator.mutate(seeds[i % std::size(seeds)]));
        for (const QChar type : {u'A', u'D', u'N', u'S', u'X'}) {
            const QVariant v = convertFieldValue(QStringLiteral("50"), QStringLiteral("02"), type, raw, 2026);
            if (type == u'D' && v.isValid()) {
                EXPECT_GE(v.toDate().year(), 1); // a date the column can store
            }
        }
        int n = 0;
        if (readWholeNumber(raw, &n)) {
            EXPECT_EQ(QString::number(n).toLongLong(), raw.trimmed().toLongLong()) << raw.toStdString();
        }
    }
}

TEST_F(Mutation, DamagedArchivesLeaveNothingOrWholeFiles) {
    const QString good = dir.filePath(QStringLiteral("goed.zip"));
    test::writeZip(good, {{"000012001-01S.dat", seedStatement(12, QStringLiteral("2006-01"))},
                          {"map/000013001-01.dat", QByteArray(3000, '7')}});
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    Mutator mutator(99);
    const QString out = dir.filePath(QStringLiteral("uit"));
    int refused = 0;
    const int inputs = 400;
    for (int i = 0; i < inputs; ++i) {
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        const QString archive = writeBytes(QStringLiteral("gemuteerd.zip"), mutator.mutate(bytes));
        QString error;
        QStringList names;
        const int n = test::extractOrReason(archive, out, &error, &names, 1 << 20);
        const QStringList there = QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (n < 0) {
            ++refused;
            EXPECT_FALSE(error.isEmpty());
            EXPECT_TRUE(there.isEmpty()) << "input " << i << ": " << there.join(u' ').toStdString();
        } else {
            EXPECT_EQ(QStringList(there).size(), names.size()) << "input " << i; // no temporary left
        }
    }
    // nothing landed outside the folder it was unpacked into
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        EXPECT_TRUE(path.startsWith(out) || path.startsWith(dir.filePath(QStringLiteral("Import"))) ||
                    path.startsWith(dir.filePath(QStringLiteral("db"))) || path == good ||
                    path.startsWith(dir.filePath(QStringLiteral("Settings"))))
            << path.toStdString();
    }
    std::printf("archives: %d mutated, %d refused\n", inputs, refused);
}

TEST(MutationDialect, TranslationTakesAnyText) {
    JetDialect dialect;
    dialect.setSchemaColumns({QStringLiteral("collnaam")},
                             {QStringLiteral("collnaam"), QStringLiteral("id01")});
    const QString seeds[] = {
        SharedQueries::CollectivitiesQuery, SharedQueries::CollectivityCaptionQuery,
        SharedQueries::RepairPickList1024,
        QStringLiteral("select IIF([1024] = 'Z', 'Z', ' ') as t, a.* from bord10 a where "
                       "a.id03 < :m and [0003] like '%x%' & \"t\" + 1")};
    Mutator mutator(3);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 4000; ++i) {
        const QString sql = QString::fromLatin1(mutator.mutate(seeds[i % std::size(seeds)].toLatin1()));
        const TranslatedSql t = dialect.translate(sql);
        EXPECT_LE(t.parameterNames.size(), sql.count(u':'));
    }
    EXPECT_LT(timer.elapsed(), 60000); // no input makes it hang
}
