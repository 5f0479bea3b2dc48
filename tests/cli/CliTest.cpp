// The headless command end to end: generated archives in, exit status and
// result lines out, collectivities listed.
#include "SampleGenerator.h"
#include "TestProgramDir.h"
#include "core/RecordCatalogue.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

struct Result {
    int exitCode;
    QStringList lines;
    QString errors;
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        auto db = dir.connect(QStringLiteral("setup"));
        catalogue.load(*db);
    }
    Result cli(const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(OSTRAPEL_CLI),
                QStringList{QStringLiteral("--program-dir"), dir.path()} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QStringList samples(const QString& folder, const QString& fault = {}) {
        SampleOptions o;
        o.collectivities = 2;
        o.persons = 12;
        o.periods = {QStringLiteral("2005-12"), QStringLiteral("2006-01")};
        o.fault = fault;
        return SampleGenerator(catalogue, o).writeAll(dir.filePath(folder));
    }

    test::TestProgramDir dir;
    RecordCatalogue catalogue;
};

} // namespace

TEST_F(Cli, ImportsGeneratedArchivesAndListsTheCollectivities) {
    const QStringList archives = samples(QStringLiteral("in"));
    Result r = cli(QStringList{QStringLiteral("import")} + archives);
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.lines.size(), 8);
    EXPECT_TRUE(r.lines[0].startsWith(
        QStringLiteral("Informatie uit file \"000012001-01S.dat\" succesvol geimporteerd in ")));
    EXPECT_TRUE(r.lines[1].startsWith(QStringLiteral("  records: ")));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Import"))).entryList(QDir::Files).isEmpty());

    r = cli({QStringLiteral("collectivities")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.lines, (QStringList{QStringLiteral("0012-1 SV: Bakkerij De Korenschoof BV"),
                                    QStringLiteral("0012-1 ZKF/PRT: Bakkerij De Korenschoof BV"),
                                    QStringLiteral("0013-1 SV: Installatiebedrijf Van Dam"),
                                    QStringLiteral("0013-1 ZKF/PRT: Installatiebedrijf Van Dam")}));

    // delivered again: refused, which is no failure
    r = cli({QStringLiteral("import"), archives.first()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.lines[0].endsWith(QStringLiteral("werd niet geimporteerd")));
    EXPECT_TRUE(r.errors.contains(QStringLiteral("is reeds verwerkt!")));
}

TEST_F(Cli, FaultyFilesAndFailures) {
    const QStringList wrong = samples(QStringLiteral("fout"), QStringLiteral("records"));
    Result r = cli({QStringLiteral("import"), wrong.first()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.lines[0].contains(QStringLiteral("(aantal records)"))) << r.lines[0].toStdString();

    // --all ticks an erroneous file too; with no good file beside it nothing is imported
    r = cli({QStringLiteral("import"), QStringLiteral("--all"), wrong[2]});
    EXPECT_EQ(r.exitCode, 1);
    const QStringList good = samples(QStringLiteral("goed"));
    r = cli({QStringLiteral("import"), QStringLiteral("--all"), wrong[2], good[0]});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    ASSERT_EQ(r.lines.size(), 4);
    EXPECT_TRUE(r.lines[0].contains(QStringLiteral("000012001-12.dat\" succesvol geimporteerd")));
    EXPECT_TRUE(r.lines[2].contains(QStringLiteral("000013001-12.dat\" succesvol geimporteerd")));

    const QStringList unreadable = samples(QStringLiteral("kapot"), QStringLiteral("amount"));
    r = cli({QStringLiteral("import"), unreadable.first()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("veld 5008"))) << r.errors.toStdString();

    EXPECT_EQ(cli({QStringLiteral("import"), dir.filePath(QStringLiteral("bestaat-niet.zip"))}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("onzin")}).exitCode, 2);
}
