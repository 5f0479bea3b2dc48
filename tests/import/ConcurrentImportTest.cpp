// Two workstations importing into one server database at the same time: the
// headless command from two program folders whose settings name one database.
#include "SampleGenerator.h"
#include "TestProgramDir.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "import/StatementFields.h"
#include "import/StatementWriter.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

class ConcurrentImport : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::usingPostgreSql()) GTEST_SKIP() << "one database for two workstations needs a server";
        Settings(second.path()).setDatabaseConnectionString(first.connectionString());
        db = first.connect(QStringLiteral("count"));
        catalogue.load(*db);
        options.collectivities = 2;
        options.persons = 400;
        options.zip = false;
    }

    // A statement file written outside both program folders; its counted rows per table.
    QString statement(int collectivity, const QString& period, QHash<QString, int>* rows) const {
        const SampleGenerator gen(catalogue, options);
        const QStringList lines = gen.statementLines(collectivity, period);
        for (const QString& line : lines)
            ++(*rows)[QStringLiteral("bord") + recordTypeOf(catalogue, line)];
        const QString path = files.filePath(gen.fileName(collectivity, period));
        EXPECT_TRUE(StatementWriter::writeFile(path, lines));
        return path;
    }

    // Each folder's command imports its file; all start at once. Their output.
    static QStringList
    importAtOnce(const std::vector<std::pair<const test::TestProgramDir*, QString>>& runs) {
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const auto& [dir, file] : runs) {
            processes.push_back(std::make_unique<QProcess>());
            processes.back()->start(
                QStringLiteral(OSTRAPEL_CLI),
                {QStringLiteral("--program-dir"), dir->path(), QStringLiteral("import"), file});
        }
        QStringList out;
        for (const auto& p : processes) {
            EXPECT_TRUE(p->waitForFinished(180000));
            EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
            out << QString::fromUtf8(p->readAllStandardOutput());
        }
        return out;
    }

    int count(const QString& table, const QString& where = {}) const {
        return db->scalar(QStringLiteral("select count(*) from ") + table + u' ' + where).toInt();
    }

    test::TestProgramDir first, second;
    QTemporaryDir files;
    std::unique_ptr<Connection> db;
    RecordCatalogue catalogue;
    SampleOptions options;
};

const QStringList Tables = {QStringLiteral("bord00"), QStringLiteral("bord10"), QStringLiteral("bord50"),
                            QStringLiteral("bord99")};

} // namespace

TEST_F(ConcurrentImport, DifferentStatementsBothLand) {
    QHash<QString, int> rows;
    const QString a = statement(0, QStringLiteral("2005-12"), &rows);
    const QString b = statement(1, QStringLiteral("2005-12"), &rows);
    const QStringList out = importAtOnce({{&first, a}, {&second, b}});
    for (const QString& text : out)
        EXPECT_TRUE(text.contains(QStringLiteral("succesvol geimporteerd"))) << text.toStdString();
    for (const QString& table : Tables)
        EXPECT_EQ(count(table), rows.value(table)) << table.toStdString();
}

// Both pass the check only if nothing serialises it with the insert: then
// the statement would be stored twice.
TEST_F(ConcurrentImport, OneStatementFromTwoWorkstationsIsImportedOnce) {
    const QStringList periods = {QStringLiteral("2005-11"), QStringLiteral("2005-12"),
                                 QStringLiteral("2006-01")};
    QHash<QString, int> rows;
    for (const QString& period : periods) {
        SCOPED_TRACE(period.toStdString());
        const QString file = statement(0, period, &rows);
        const QStringList out = importAtOnce({{&first, file}, {&second, file}});
        const QString both = out.join(u'\n');
        EXPECT_EQ(both.count(QStringLiteral("succesvol geimporteerd")), 1) << both.toStdString();
        EXPECT_EQ(both.count(QStringLiteral("werd niet geimporteerd")), 1) << both.toStdString();
        EXPECT_EQ(count(QStringLiteral("bord00"), QStringLiteral("where ID03 = '%1'").arg(period)), 1);
        EXPECT_EQ(count(QStringLiteral("bord99"), QStringLiteral("where ID03 = '%1'").arg(period)), 1);
    }
    // component rows are never cleaned up: each statement's once
    EXPECT_EQ(count(QStringLiteral("bord50")), rows.value(QStringLiteral("bord50")));
}

// Two months of one collectivity at once: each import's clean-up of superseded
// persons must see the other's rows, so the result is that of one after the other.
TEST_F(ConcurrentImport, TwoMonthsOfOneCollectivityEndAsImportedInTurn) {
    QHash<QString, int> rows;
    const QString earlier = statement(0, QStringLiteral("2005-11"), &rows);
    const QString later = statement(0, QStringLiteral("2005-12"), &rows);
    test::TestProgramDir inTurn;
    for (const QString& file : {earlier, later}) {
        QProcess p;
        p.start(QStringLiteral(OSTRAPEL_CLI),
                {QStringLiteral("--program-dir"), inTurn.path(), QStringLiteral("import"), file});
        ASSERT_TRUE(p.waitForFinished(180000));
        ASSERT_EQ(p.exitCode(), 0);
    }
    const auto reference = inTurn.connect(QStringLiteral("reference"));
    const QString persons = QStringLiteral("select count(*) from bord10");
    const int expected = reference->scalar(persons).toInt();
    ASSERT_LT(expected, rows.value(QStringLiteral("bord10"))); // the later month supersedes

    importAtOnce({{&first, later}, {&second, earlier}});
    EXPECT_EQ(db->scalar(persons).toInt(), expected);
    EXPECT_EQ(count(QStringLiteral("bord50")), rows.value(QStringLiteral("bord50")));
}
