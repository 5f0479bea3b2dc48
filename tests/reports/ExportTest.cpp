// The export query from the wizard's fields and the window's fragments, and the
// files it becomes: tab-separated text and a workbook.
#include "ReportFixture.h"
#include "core/OstrapelError.h"
#include "import/ZipArchive.h"
#include "reports/ExportCommand.h"
#include "reports/ExportFieldChoice.h"
#include "reports/ExportQuery.h"
#include "reports/ExportWriter.h"
#include "reports/ReportBuilder.h"

#include <QDir>

using namespace ostrapel;

namespace {

class Export : public test::ReportFixture {
protected:
    ExportCommand command(const QString& fields10, const QString& fields50, const QString& period = {}) {
        ExportCommand c;
        c.collectivity = {12, 1};
        c.insuranceType = InsuranceType::Standard;
        c.fields10 = fields10;
        c.fields50 = fields50;
        c.period = period;
        return c;
    }
    QString readText(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromLatin1(f.readAll());
    }
};

} // namespace

TEST_F(Export, QueryTakesTheComponentsTableOnlyWhenNeeded) {
    ReportBuilder data(*db, catalogue);
    data.inputs = command({}, {}).inputs();
    try {
        data.buildExportQuery(QStringLiteral(" "), QStringLiteral("5008"));
        FAIL();
    } catch (const OstrapelError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Geen velden geselecteerd"));
    }

    DataSet& persons = data.buildExportQuery(QStringLiteral("1002;ID04"), {});
    EXPECT_EQ(data.exportDataSql(),
              QStringList({"SELECT bord10.[1002], bord10.[ID04]", "from bord10",
                           "WHERE bord10.[ID01] = 12 AND bord10.[ID02] = 1 AND bord10.[1024] in (' ')",
                           "AND 1=1", "AND 1=1", "AND 1=1", "AND 1=1", "AND 1=1", "AND 1=1"})
                  .join(QStringLiteral("\r\n")));
    EXPECT_EQ(persons.recordCount(), 7); // one line per person record
    EXPECT_EQ(persons.field(0).displayLabel, catalogue.findField(QStringLiteral("1002"))->caption);

    data.inputs = command({}, {}, QStringLiteral("2006-03;2006-03")).inputs();
    DataSet& joined = data.buildExportQuery(QStringLiteral("1002;ID04"), {});
    const QStringList lines = data.exportDataSql().split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[1], QStringLiteral("from bord10, bord50"));
    EXPECT_EQ(lines[3], QStringLiteral("AND bord50.ID07 = bord10.ID07 AND bord50.ID01=12 AND bord50.ID02=1"));
    EXPECT_EQ(joined.recordCount(), 11); // per person record and component of the month

    const ExportQuery both(QStringLiteral("1002;1003"), QStringLiteral("5004"));
    EXPECT_EQ(both.selectText(), QStringLiteral("SELECT bord10.[1002], bord10.[1003],bord50.[5004]"));
    EXPECT_EQ(both.sortList(data.inputs), QStringLiteral("1002, 1003, 5004"));
}

TEST_F(Export, TextFileAndWorkbook) {
    db->execute(QStringLiteral("update bord10 set [1017] = 'Den\tHaag' where ID07 = '100002'"));
    ExportCommand c = command(QStringLiteral("1002;ID07;1017"), QStringLiteral("5002;5008;5009"),
                              QStringLiteral("2006-03;2006-03"));
    c.outFile = dir.filePath(QStringLiteral("export.xls"));
    EXPECT_EQ(c.run(*db, catalogue), 11);
    const QStringList lines = readText(c.outFile).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0].split(u'\t').size(), 6);
    EXPECT_EQ(lines[1], QStringLiteral("Jansen\t100002\tDen Haag\tPROL\t1.234,50\t01-03-2006"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Vries\t100001\tUtrecht\tMUT\t-12,00\t01-03-2006")));
    EXPECT_EQ(lines[12], QString());

    c.outFile = dir.filePath(QStringLiteral("export.xlsx"));
    EXPECT_EQ(c.run(*db, catalogue), 11);
    const QString unpacked = dir.filePath(QStringLiteral("xlsx"));
    QDir().mkpath(unpacked); // entries land by their file names
    ASSERT_GT(ZipArchive::extractAll(c.outFile, unpacked), 0);
    const QString sheet = readText(unpacked + QStringLiteral("/sheet1.xml"));
    const QString strings = QString::fromUtf8([&] {
        QFile f(unpacked + QStringLiteral("/sharedStrings.xml"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    EXPECT_TRUE(sheet.contains(QStringLiteral("<pane ySplit=\"1\""))); // caption row frozen
    // Dutch separators also in a spreadsheet program of another language.
    EXPECT_TRUE(
        readText(unpacked + QStringLiteral("/styles.xml")).contains(QStringLiteral("[$-413]#,##0.00")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>1234.5</v>"))); // amounts are numbers
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>-12</v>")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>38777</v>")));    // 01-03-2006 as a date serial
    EXPECT_TRUE(strings.contains(QStringLiteral("<t>100002</t>"))); // keys stay text
    EXPECT_TRUE(strings.contains(QStringLiteral("<t>Den Haag</t>")));
    EXPECT_FALSE(QFileInfo::exists(c.outFile + QStringLiteral(".part")));
}

TEST_F(Export, ProgressEveryHundredthRecordAndStopping) {
    ReportBuilder data(*db, catalogue);
    DataSet rows = data.openQuery(QStringLiteral("select a.[5004] from bord50 a, bord50 b, bord00 c"));
    ASSERT_EQ(rows.recordCount(), 507);
    std::vector<std::pair<int, int>> calls;
    ExportWriter writer(catalogue);
    EXPECT_TRUE(writer.writeText(rows, dir.filePath(QStringLiteral("a.xls")), [&](int processed, int lines) {
        calls.emplace_back(processed, lines);
        return true;
    }));
    EXPECT_EQ(calls,
              (std::vector<std::pair<int, int>>{{99, 100}, {199, 200}, {299, 300}, {399, 400}, {499, 500}}));
    EXPECT_EQ(readText(dir.filePath(QStringLiteral("a.xls"))).count(QStringLiteral("\r\n")), 508);

    EXPECT_FALSE(
        writer.writeText(rows, dir.filePath(QStringLiteral("b.xls")), [](int, int) { return false; }));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("b.xls")))); // stopped: nothing written
}

TEST_F(Export, WizardListsStoredChoicesFirst) {
    ExportFieldChoice persons(catalogue, QStringLiteral("10"), QStringLiteral("1003;GEEN;1002"));
    ASSERT_GT(persons.items.size(), 3u);
    EXPECT_EQ(persons.items[0].name, QStringLiteral("1003"));
    EXPECT_EQ(persons.items[1].name, QStringLiteral("1002"));
    EXPECT_TRUE(persons.items[0].checked && persons.items[1].checked && !persons.items[2].checked);
    EXPECT_EQ(persons.result(), QStringLiteral("1003;1002")); // the unknown name is skipped
    EXPECT_TRUE(std::any_of(persons.items.begin(), persons.items.end(),
                            [](const auto& i) { return i.name == QStringLiteral("ID04"); })); // a shown key

    EXPECT_FALSE(persons.canMoveUp());
    EXPECT_TRUE(persons.canMoveDown());
    persons.moveDown();
    EXPECT_EQ(persons.result(), QStringLiteral("1002;1003"));
    EXPECT_EQ(persons.current, 1);
    persons.current = int(persons.items.size()) - 1;
    EXPECT_FALSE(persons.canMoveDown());
    EXPECT_TRUE(persons.canMoveUp());
}
