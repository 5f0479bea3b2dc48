// The headless command end to end: generated archives in, exit status and
// result lines out, collectivities listed.
#include "SampleGenerator.h"
#include "TestProgramDir.h"
#include "TestZip.h"
#include "core/FileWriter.h"
#include "core/RecordCatalogue.h"
#include "filters/FilterStore.h"
#include "import/ImportCommand.h"
#include "import/StatementFields.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

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
        return run(QStringLiteral(OSTRAPEL_CLI),
                   QStringList{QStringLiteral("--program-dir"), dir.path()} + args);
    }
    static Result run(const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(120000));
        return finished(p);
    }
    static Result finished(QProcess& p) {
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                QString::fromUtf8(p.readAllStandardError())};
    }
    int count(const QString& sql) {
        auto db = dir.connect(QStringLiteral("count"));
        return db->scalar(sql).toInt();
    }
    QStringList importFolder() const {
        return QDir(dir.filePath(QStringLiteral("Import"))).entryList(QDir::Files | QDir::Hidden);
    }
    QStringList samples(const QString& folder, const QString& fault = {}, SampleOptions o = small()) {
        o.fault = fault;
        return SampleGenerator(catalogue, o).writeAll(dir.filePath(folder));
    }
    static SampleOptions small() {
        SampleOptions o;
        o.collectivities = 2;
        o.persons = 12;
        o.periods = {QStringLiteral("2005-12"), QStringLiteral("2006-01")};
        return o;
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
        QStringLiteral("Informatie uit file \"0000120012005-12.dat\" succesvol geimporteerd in ")));
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
    EXPECT_TRUE(r.lines[0].contains(QStringLiteral("0000120012005-12.dat\" succesvol geimporteerd")));
    EXPECT_TRUE(r.lines[2].contains(QStringLiteral("0000130012005-12.dat\" succesvol geimporteerd")));

    const QStringList unreadable = samples(QStringLiteral("kapot"), QStringLiteral("amount"));
    r = cli({QStringLiteral("import"), unreadable.first()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("veld 5008"))) << r.errors.toStdString();

    EXPECT_EQ(cli({QStringLiteral("import"), dir.filePath(QStringLiteral("bestaat-niet.zip"))}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("onzin")}).exitCode, 2);
}

TEST_F(Cli, ReportsToAFileOrStandardOutput) {
    const QStringList archives = samples(QStringLiteral("in"));
    ASSERT_EQ(cli(QStringList{QStringLiteral("import")} + archives).exitCode, 0);
    const QString out = dir.filePath(QStringLiteral("incasso.txt"));
    const QString pdf = dir.filePath(QStringLiteral("incasso.pdf"));
    Result r = cli({"report", "incasso", "--coll", "12-1", "--type", "2", "--month", "2006-01",
                    "--page-length", "60", "--out", out, "--pdf", pdf});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    EXPECT_EQ((lines.size() - 1) % 60, 0);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Te incasseren bedragen")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Periode: 2006-01")));
    EXPECT_TRUE(lines.contains(QStringLiteral("***EINDE VERSLAG***")));
    EXPECT_GT(QFileInfo(pdf).size(), 0);

    r = cli(
        {"report", "prolongatie", "--coll", "12-1", "--type", "2", "--from", "2005-12", "--to", "2006-01"});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_TRUE(r.lines.contains(QStringLiteral("***EINDE VERSLAG***")));

    // Asked for data the database does not hold: an error, not a report of zeros
    // headed by another month.
    const struct {
        QStringList args;
        const char* error;
    } missing[] = {
        {{"incasso", "--coll", "12-1", "--type", "2", "--month", "2004-01"},
         "Collectiviteit 12-1 heeft geen borderel over 2004-01"},
        {{"incasso", "--coll", "77-1", "--type", "2", "--month", "2006-01"},
         "Collectiviteit 77-1 komt niet voor in de database"},
        {{"selectie", "--coll", "12-9", "--type", "2"}, "Collectiviteit 12-9 komt niet voor in de database"},
    };
    for (const auto& m : missing) {
        r = cli(QStringList{QStringLiteral("report")} + m.args + QStringList{"--out", out});
        EXPECT_EQ(r.exitCode, 2) << m.error;
        EXPECT_TRUE(r.errors.contains(QString::fromLatin1(m.error))) << r.errors.toStdString();
    }
    EXPECT_TRUE(QFile::exists(out)); // the earlier report is left as it was
    const QString exported = dir.filePath(QStringLiteral("export.xls"));
    r = cli({"export", "--coll", "77-1", "--type", "2", "--fields10", "1002", "--out", exported});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("Collectiviteit 77-1 komt niet voor in de database")));
    EXPECT_FALSE(QFile::exists(exported));
    r = cli({"export", "--coll", "12-1", "--type", "2", "--fields10", "1002", "--out", exported});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_TRUE(QFile::exists(exported));

    r = cli({"report", "correctie", "--coll", "12-1", "--type", "2"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("--month JJJJ-MM ontbreekt")));
    EXPECT_EQ(cli({"report", "selectie", "--coll", "12-1", "--type", "2", "--period", "2006-01;x"}).exitCode,
              2);
    // A selection given months the way the other reports take them would cover every month.
    for (const QStringList& months : {QStringList{"--month", "2006-01"}, QStringList{"--from", "2005-11"}}) {
        r = cli(QStringList{"report", "selectie", "--coll", "12-1", "--type", "2"} + months);
        EXPECT_EQ(r.exitCode, 2) << months.join(u' ').toStdString();
        EXPECT_TRUE(r.errors.contains(QStringLiteral("selectie neemt de maanden uit --period")));
    }
}

TEST_F(Cli, PrintsThePremiumTrendOfEachMonth) {
    ASSERT_EQ(cli(QStringList{QStringLiteral("import")} + samples(QStringLiteral("in"))).exitCode, 0);
    // Each month holds one statement of the type: the premium and corrections
    // add up to its control record's total, the persons to its count.
    auto db = dir.connect(QStringLiteral("control"));
    for (const auto& [type, month] : {std::pair{"1", "2005-12"}, std::pair{"2", "2006-01"}}) {
        const Result r =
            cli({"trend", "--coll", "12-1", "--type", type, "--from", "2005-01", "--to", "2006-12"});
        EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
        ASSERT_EQ(r.lines.size(), 1);
        const QStringList f = r.lines[0].split(u';');
        ASSERT_EQ(f.size(), 4) << r.lines[0].toStdString();
        EXPECT_EQ(f[0], QString::fromLatin1(month));
        const QVariantMap key{{QStringLiteral("m"), QString::fromLatin1(month)}};
        const double total =
            db->scalar(QStringLiteral("select [9905] from bord99 where ID01 = 12 and ID02 = 1 and ID03 = :m"),
                       key)
                .toDouble();
        EXPECT_NEAR(QString(f[1]).replace(u',', u'.').toDouble() +
                        QString(f[2]).replace(u',', u'.').toDouble(),
                    total, 0.005);
        EXPECT_EQ(
            f[3].toInt(),
            db->scalar(QStringLiteral("select [9904] from bord99 where ID01 = 12 and ID02 = 1 and ID03 = :m"),
                       key)
                .toInt());
    }
    EXPECT_TRUE(cli({"trend", "--coll", "12-1", "--type", "2", "--to", "2005-12"}).lines.isEmpty());

    const struct {
        QStringList args;
        QString error;
    } refused[] = {
        {{"--coll", "12-9", "--type", "2"},
         QStringLiteral("Collectiviteit 12-9 komt niet voor in de database")},
        {{"--coll", "12-1", "--type", "2", "--from", "2006-1"}, QStringLiteral("Ongeldige maand bij --from")},
        {{"--coll", "12-1", "--type", "SV"}, QStringLiteral("--type 1|2 ontbreekt of is ongeldig: SV")},
    };
    for (const auto& c : refused) {
        const Result r = cli(QStringList{QStringLiteral("trend")} + c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.lines.isEmpty());
        EXPECT_TRUE(r.errors.contains(c.error)) << r.errors.toStdString();
    }
}

TEST_F(Cli, RefusesWhatAReportOrExportWouldLeaveUnused) {
    ASSERT_EQ(cli(QStringList{QStringLiteral("import")} + samples(QStringLiteral("in"))).exitCode, 0);
    const QString out = dir.filePath(QStringLiteral("uit.txt"));
    const QStringList coll{"--coll", "12-1", "--type", "2"};
    const struct {
        QStringList args;
        const char* error;
    } refused[] = {
        {{"report", "incasso", "--month", "2006-01", "--filter", "x"}, "--filter wordt niet gebruikt"},
        {{"report", "correctie", "--month", "2006-01", "--filter", "x"}, "--filter wordt niet gebruikt"},
        {{"report", "prolongatie", "--from", "2006-01", "--to", "2006-02", "--filter", "x"},
         "--filter wordt niet gebruikt"},
        {{"report", "incasso", "--month", "2006-01", "--period", "2006-01"}, "--period wordt niet gebruikt"},
        {{"report", "prolongatie", "--from", "2006-01", "--to", "2006-02", "--month", "2006-01"},
         "--month wordt niet gebruikt"},
        {{"report", "correctie", "--month", "2004-01"}, "heeft geen borderel over 2004-01"},
        {{"report", "prolongatie", "--from", "2004-01", "--to", "2006-01"},
         "heeft geen borderel over 2004-01"},
        {{"report", "incasso", "--month", "2006-01", "--page-length", "2147483647"},
         "Ongeldige paginalengte"},
        {{"report", "incasso", "--month", "2006-01", "--page-length", "19"}, "Ongeldige paginalengte"},
        {{"report", "incasso", "--month", "2006-13"}, "--month JJJJ-MM ontbreekt"},
        {{"export", "--fields10", "1002", "--period", "2006-03;"}, "Ongeldige periode"},
        {{"export", "--fields10", "1002", "--period", ";2006-03"}, "Ongeldige periode"},
        {{"export", "--fields10", "1002", "--period", "2006-01;2006-01;2006-01"}, "Ongeldige periode"},
        {{"export", "--fields10", "1002", "--period", "2006-13"}, "Ongeldige periode"},
        {{"export", "--fields10", ";;;"}, "--fields10 noemt geen velden"},
        {{"export", "--fields10", "1002", "--fields50", ";"}, "--fields50 noemt geen velden"},
        {{"export", "--fields10", "1002;9999"}, "Onbekend veld in --fields10: 9999"},
    };
    for (const auto& r : refused) {
        QStringList args = r.args.mid(0, r.args[0] == QStringLiteral("export") ? 1 : 2) + coll +
                           r.args.mid(r.args[0] == QStringLiteral("export") ? 1 : 2) +
                           QStringList{"--out", out};
        const Result result = cli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.errors.contains(QString::fromLatin1(r.error)))
            << args.join(u' ').toStdString() << ": " << result.errors.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << args.join(u' ').toStdString();
    }
    // the accepted forms
    for (const char* period : {"2006-01", "2006-01;2006-03"})
        EXPECT_EQ(cli(QStringList{"export"} + coll +
                      QStringList{"--fields10", "1002", "--period", period, "--out", out})
                      .exitCode,
                  0)
            << period;
    EXPECT_EQ(cli(QStringList{"report", "incasso"} + coll +
                  QStringList{"--month", "2006-01", "--page-length", "10000", "--out", out})
                  .exitCode,
              0);
}

TEST_F(Cli, ListsTheStoredFiltersWithTheirConditions) {
    {
        auto db = dir.connect(QStringLiteral("filters"));
        FilterCriterion a;
        a.Filter = QStringLiteral("[1002] like 'A%'");
        FilterCriterion b;
        b.Filter = QStringLiteral("[1008]=1");
        FilterStore store(*db);
        store.store(-1, {a, b}, QStringLiteral("Mannen A"), QStringLiteral("Piet"));
        store.store(-1, {}, QStringLiteral("Leeg"), QStringLiteral("Jan"));
    }
    const Result r = cli({QStringLiteral("filters")});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_EQ(r.lines, (QStringList{QStringLiteral("2\tLeeg\tJan"), QStringLiteral("1\tMannen A\tPiet"),
                                    QStringLiteral("  [1002] like 'A%'"), QStringLiteral("  [1008]=1")}));
}

TEST_F(Cli, HelpAndBadArgumentsOfBothTools) {
    struct Case {
        QString program;
        QStringList args;
        int exitCode;
        const char* says; // on standard output for --help, else on standard error
    } cases[] = {
        {QStringLiteral(OSTRAPEL_CLI), {QStringLiteral("--help")}, 0, "gebruik: ostrapel-cli"},
        {QStringLiteral(OSTRAPEL_CLI), {QStringLiteral("-h")}, 0, "collectivities"},
        {QStringLiteral(OSTRAPEL_CLI),
         {QStringLiteral("--bogus"), QStringLiteral("collectivities")},
         2,
         "onbekende optie \"--bogus\""},
        {QStringLiteral(OSTRAPEL_CLI), {QStringLiteral("import")}, 2, "import zonder bestanden"},
        {QStringLiteral(OSTRAPEL_CLI), {QStringLiteral("--program-dir")}, 2, "ontbreekt de map"},
        {QStringLiteral(OSTRAPEL_CLI), {}, 2, "gebruik: ostrapel-cli"},
        {QStringLiteral(OSTRAPEL_SAMPLES_TOOL), {QStringLiteral("--help")}, 0, "--out <DIR>"},
        {QStringLiteral(OSTRAPEL_SAMPLES_TOOL), {QStringLiteral("--bogus")}, 2, "bogus"},
        {QStringLiteral(OSTRAPEL_SAMPLES_TOOL),
         {QStringLiteral("--persons"), QStringLiteral("veel"), QStringLiteral("--out"),
          dir.filePath(QStringLiteral("s"))},
         2,
         "take a number"},
        {QStringLiteral(OSTRAPEL_SAMPLES_TOOL), {}, 2, "--out DIR is required"},
    };
    for (const Case& c : cases) {
        const Result r = run(c.program, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        const QString text = c.exitCode == 0 ? r.lines.join(u'\n') : r.errors;
        EXPECT_TRUE(text.contains(QString::fromLatin1(c.says))) << text.toStdString();
    }
}

// An archive that gives no statement leaves the run out (exit 1) with a Dutch
// reason; whatever the run unpacked is gone afterwards.
TEST_F(Cli, ArchivesThatGiveNothing) {
    const QString statementFile = samples(QStringLiteral("in"), {},
                                          [] {
                                              SampleOptions o = small();
                                              o.collectivities = 1;
                                              o.periods = {QStringLiteral("2006-01")};
                                              o.zip = false;
                                              return o;
                                          }())
                                      .first();
    QFile f(statementFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray statement = f.readAll();
    const QString name = QFileInfo(statementFile).fileName();

    // two entries of one name: the later is imported, once
    test::writeZip(dir.filePath(QStringLiteral("in/twee.zip")),
                   {{"oud/" + name.toLatin1(), "kapot"}, {"nieuw/" + name.toLatin1(), statement}});
    Result r = cli({QStringLiteral("import"), dir.filePath(QStringLiteral("in/twee.zip"))});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_TRUE(r.lines.first().contains(QStringLiteral("succesvol geimporteerd")))
        << r.lines.first().toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 1);

    QFile empty(dir.filePath(QStringLiteral("in/leeg.zip")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.write(QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    empty.close();
    QFile damaged(dir.filePath(QStringLiteral("in/kapot.zip")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("PK\x03\x04 half");
    damaged.close();
    test::writeZip(dir.filePath(QStringLiteral("in/tekst.zip")), {{"lees mij.txt", "geen borderel"}});
    struct Case {
        const char* archive;
        const char* says;
    } cases[] = {
        {"leeg.zip", "bevat geen borderelbestanden"},
        {"tekst.zip", "bevat geen borderelbestanden"},
        {"kapot.zip", "kon niet worden uitgepakt:\nhet bestand is geen zip-archief"},
    };
    for (const Case& c : cases) {
        r = cli({QStringLiteral("import"), dir.filePath(QStringLiteral("in/") + QLatin1String(c.archive))});
        EXPECT_EQ(r.exitCode, 1) << c.archive;
        EXPECT_TRUE(r.errors.contains(QString::fromLatin1(c.says))) << r.errors.toStdString();
        EXPECT_TRUE(importFolder().isEmpty()) << c.archive;
    }
    // beside a good archive the run still says that one gave nothing
    const QStringList good = samples(QStringLiteral("goed"));
    r = cli({QStringLiteral("import"), good.first(), dir.filePath(QStringLiteral("in/tekst.zip"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.lines.first().contains(QStringLiteral("succesvol geimporteerd")));
}

TEST_F(Cli, AStatementWithoutControlRecordIsNeverImported) {
    const QStringList files = samples(QStringLiteral("fout"), QStringLiteral("nocontrol"));
    for (int i = 0; i < 2; ++i) {
        const Result r = cli({QStringLiteral("import"), QStringLiteral("--all"), files.first()});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.lines.first().contains(QStringLiteral("(geen controlerecord)")))
            << r.lines.first().toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 0);
}

// A file of two statements whose first disagrees with its own control record (a
// line written twice) is not imported, though the second agrees with its own.
TEST_F(Cli, AFileWithAFailingFirstBlockIsNotImported) {
    SampleOptions plain = small();
    plain.zip = false;
    const QStringList files = samples(QStringLiteral("goed"), {}, plain);
    QByteArray joined;
    for (const char* month : {"0000120012005-12", "0000120012006-01"}) {
        const auto file = std::find_if(files.begin(), files.end(),
                                       [&](const QString& f) { return f.contains(QLatin1String(month)); });
        ASSERT_NE(file, files.end()) << month;
        QFile f(*file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = f.readAll().split('\n');
        if (joined.isEmpty()) lines.insert(2, lines[2]);
        joined += lines.join('\n');
    }
    const QString path = dir.filePath(QStringLiteral("twee/000012001-01.dat"));
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(joined);
    out.close();
    const Result r = cli({QStringLiteral("import"), path});
    EXPECT_EQ(r.exitCode, 1) << r.errors.toStdString();
    ASSERT_FALSE(r.lines.isEmpty());
    EXPECT_TRUE(r.lines[0].contains(QStringLiteral("(aantal records)"))) << r.lines[0].toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 0);
}

// Two imports at once (two workstations, or the command beside the program):
// the second waits for the first and both statements land.
TEST_F(Cli, TwoImportsAtOnceBothLand) {
    SampleOptions o = small();
    o.persons = 150;
    o.periods = {QStringLiteral("2005-10"), QStringLiteral("2005-11"), QStringLiteral("2005-12")};
    const QStringList archives = samples(QStringLiteral("in"), {}, o);
    ASSERT_EQ(archives.size(), 6);
    int waited = 0;
    for (int round = 0; round < 3; ++round) {
        QProcess a, b;
        for (QProcess* p : {&a, &b})
            p->start(QStringLiteral(OSTRAPEL_CLI),
                     {QStringLiteral("--program-dir"), dir.path(), QStringLiteral("import"),
                      archives[round * 2 + (p == &a ? 0 : 1)]});
        ASSERT_TRUE(a.waitForFinished(120000) && b.waitForFinished(120000));
        for (QProcess* p : {&a, &b}) {
            const Result r = finished(*p);
            EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
            waited += int(r.lines.count(ImportCommandTexts::WaitingForImport));
        }
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 6);
    EXPECT_TRUE(importFolder().isEmpty());
    std::printf("paired runs: 3 of 3 both imported; %d waited for the other\n", waited);
}

// Person rows of which a newer period of the same insurance group exists.
const QString Superseded = QStringLiteral(
    "select count(*) from bord10 a where exists (select * from bord10 b where b.ID01 = a.ID01 and b.ID02 = "
    "a.ID02 and b.ID07 = a.ID07 and b.ID03 > a.ID03 and IIF(b.[1024] in ('Z', 'P'), 'Z', ' ') = "
    "IIF(a.[1024] in ('Z', 'P'), 'Z', ' '))");

// Killed at any moment, an import leaves its statement whole or not at all,
// and the clean-up of superseded persons goes with it.
TEST_F(Cli, KilledImportsLeaveAWholeStatementOrNothing) {
    SampleOptions o = small();
    o.collectivities = 1;
    o.persons = 1500;
    o.periods = {QStringLiteral("2005-11"), QStringLiteral("2005-12")};
    const QStringList archives = samples(QStringLiteral("in"), {}, o);
    int persons2 = 0, components2 = 0; // of the second period
    for (const QString& line : SampleGenerator(catalogue, o).statementLines(0, o.periods[1])) {
        persons2 += recordTypeOf(catalogue, line) == QStringLiteral("10");
        components2 += recordTypeOf(catalogue, line) == QStringLiteral("50");
    }
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(cli({QStringLiteral("import"), archives[0]}).exitCode, 0);
    const qint64 duration = timer.elapsed();
    const int persons = count(QStringLiteral("select count(*) from bord10"));
    const int components = count(QStringLiteral("select count(*) from bord50"));

    // kill points spread over the run, denser around its end where it commits
    const double fractions[] = {0.2, 0.5, 0.75, 0.85, 0.9, 0.95, 1.0, 1.05, 1.1, 1.2};
    int whole = 0, nothing = 0;
    for (double fraction : fractions) {
        QProcess p;
        p.start(QStringLiteral(OSTRAPEL_CLI),
                {QStringLiteral("--program-dir"), dir.path(), QStringLiteral("import"), archives[1]});
        ASSERT_TRUE(p.waitForStarted());
        p.waitForFinished(int(duration * fraction));
        p.kill();
        p.waitForFinished();
        const bool imported =
            count(QStringLiteral("select count(*) from bord00 where ID03 = '2005-12'")) == 1;
        if (imported) {
            ++whole;
            EXPECT_EQ(count(QStringLiteral("select count(*) from bord50")), components + components2);
            EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID03 = '2005-12'")), persons2);
            // superseded persons went in the same transaction
            EXPECT_EQ(count(Superseded), 0);
            EXPECT_EQ(count(QStringLiteral("select count(*) from bord99")), 2);
            break; // refused from now on
        }
        ++nothing;
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord50")), components) << fraction;
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord10")), persons) << fraction;
        EXPECT_EQ(count(QStringLiteral("select count(*) from bord99")), 1) << fraction;
    }
    const Result r = cli({QStringLiteral("import"), archives[1]});
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord50")), components + components2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord10 where ID03 = '2005-12'")), persons2);
    EXPECT_EQ(count(Superseded), 0);
    EXPECT_TRUE(importFolder().isEmpty());
    std::printf("kills: %d left nothing, %d left the whole statement; import took %lld ms\n", nothing, whole,
                duration);
}

// A report with --filter selects the persons the stored filter selects in the window.
TEST_F(Cli, ReportsApplyAStoredFilter) {
    ASSERT_EQ(cli(QStringList{QStringLiteral("import")} + samples(QStringLiteral("in"))).exitCode, 0);
    {
        auto db = dir.connect(QStringLiteral("filters"));
        FilterCriterion nobody;
        nobody.Filter = QStringLiteral("[1002] like 'ZZZ%'");
        FilterStore(*db).store(-1, {nobody}, QStringLiteral("Niemand"), QStringLiteral("Piet"));
    }
    const QStringList args{"report", "selectie", "--coll", "12-1", "--type", "2", "--page-length", "60"};
    const Result all = cli(args);
    const Result none = cli(args + QStringList{"--filter", "Niemand"});
    ASSERT_EQ(all.exitCode, 0) << all.errors.toStdString();
    ASSERT_EQ(none.exitCode, 0) << none.errors.toStdString();
    EXPECT_LT(none.lines.size(), all.lines.size());
    EXPECT_TRUE(none.lines.contains(QStringLiteral("***EINDE VERSLAG***")));
    const Result unknown = cli(args + QStringList{"--filter", "Bestaat niet"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.errors.contains(QStringLiteral("Onbekend filter: Bestaat niet")));
}

TEST_F(Cli, SamplesOfSeveralYearsGetAnArchiveEach) {
    SampleOptions o = small();
    o.collectivities = 1;
    o.periods = {QStringLiteral("2004-12"), QStringLiteral("2005-01"), QStringLiteral("2005-12"),
                 QStringLiteral("2006-12")};
    QStringList names;
    for (const QString& path : samples(QStringLiteral("jaren"), {}, o))
        names << QFileInfo(path).fileName();
    names.sort(); // the order in which the import takes them
    EXPECT_EQ(names, QStringList({"0000120012004-12.zip", "0000120012005-01.zip", "0000120012005-12.zip",
                                  "0000120012006-12S.zip"}));
}

// Exports and reports hold personal data: for their owner and group only.
TEST_F(Cli, ExportAndReportFilesAreForOwnerAndGroupOnly) {
    ASSERT_EQ(cli(QStringList{QStringLiteral("import")} + samples(QStringLiteral("in"))).exitCode, 0);
    const QString exported = dir.filePath(QStringLiteral("export.xlsx"));
    const QString report = dir.filePath(QStringLiteral("selectie.txt"));
    const Result e =
        cli({"export", "--coll", "12-1", "--type", "2", "--fields10", "1002;ID04", "--out", exported});
    ASSERT_EQ(e.exitCode, 0) << e.errors.toStdString();
    const Result r = cli({"report", "selectie", "--coll", "12-1", "--type", "2", "--out", report});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    for (const QString& file : {exported, report}) {
        const QFile::Permissions p = QFile::permissions(file);
        EXPECT_TRUE(p & QFile::ReadOwner) << file.toStdString();
        EXPECT_EQ(p & (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther), QFile::Permissions())
            << file.toStdString();
    }
}

// A stored condition is one expression between brackets: an OR in it stays in
// the collectivity, and one edited into a second statement is refused, naming
// the filter, before anything runs.
TEST_F(Cli, AStoredConditionStaysOneExpression) {
    ASSERT_EQ(cli(QStringList{QStringLiteral("import")} + samples(QStringLiteral("in"))).exitCode, 0);
    const QString stacked = QStringLiteral(
        "[1002]='x')) AS q; INSERT INTO Filters (FilterNaam, GemaaktDoor) VALUES ('INJECTED', 'pg'); "
        "SELECT * FROM (SELECT bord10.*, c.* FROM bord10, (SELECT ID03, [5004], [5012], [5009], [5010], "
        "0 AS a, 0 AS b, 0 AS d, 0 AS e FROM bord50) c WHERE (1=0");
    {
        auto db = dir.connect(QStringLiteral("filters"));
        FilterCriterion widened, attack;
        widened.Filter = QStringLiteral("[1002] like 'zzz%' OR 1=1");
        FilterStore(*db).store(-1, {widened}, QStringLiteral("Iedereen"), QStringLiteral("Piet"));
        attack.Filter = stacked;
        FilterStore(*db).store(-1, {attack}, QStringLiteral("Aanval"), QStringLiteral("Piet"));
    }
    const QStringList args{"report", "selectie", "--coll", "12-1", "--type", "2", "--page-length", "60"};
    const Result all = cli(args);
    const Result widened = cli(args + QStringList{"--filter", "Iedereen"});
    ASSERT_EQ(widened.exitCode, 0) << widened.errors.toStdString();
    EXPECT_EQ(widened.lines.size(), all.lines.size()); // no persons of another collectivity

    const Result attacked = cli(args + QStringList{"--filter", "Aanval"});
    EXPECT_EQ(attacked.exitCode, 2);
    EXPECT_TRUE(attacked.errors.contains(
        QStringLiteral("Het filter \"Aanval\" kan niet worden gebruikt: de voorwaarde [1002]='x')) AS q;")))
        << attacked.errors.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from Filters where FilterNaam = 'INJECTED'")), 0);
}

// Every file the command writes is whole or not there: a full disk (here a
// file size limit on the command) and a device in the file's place fail the
// command with the file's name, and leave what was there.
TEST_F(Cli, OutputFilesAreWholeOrNotWrittenAtAll) {
    ASSERT_EQ(cli(QStringList{QStringLiteral("import")} + samples(QStringLiteral("in"))).exitCode, 0);
    const QString out = dir.filePath(QStringLiteral("uit"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QStringList exportArgs{
        "export",     "--coll",   "12-1", "--type", "2", "--fields10", "1002;1003;ID04;ID07;1012;1017",
        "--fields50", "5008;5012"};
    const QStringList reportArgs{"report", "selectie", "--coll",        "12-1",
                                 "--type", "2",        "--page-length", "60"};
    const struct {
        const char* file;
        QStringList args;
    } outputs[] = {
        {"export.txt", exportArgs + QStringList{"--out"}},
        {"export.xlsx", exportArgs + QStringList{"--out"}},
        {"selectie.txt", reportArgs + QStringList{"--out"}},
        {"selectie.pdf", reportArgs + QStringList{"--pdf"}}, // the text on standard output
    };
    const auto runLimited = [&](const QStringList& args) {
        QProcess p;
        p.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 2048;
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        p.start(QStringLiteral(OSTRAPEL_CLI),
                QStringList{QStringLiteral("--program-dir"), dir.path()} + args);
        EXPECT_TRUE(p.waitForFinished(120000));
        return finished(p);
    };
    const QString fifo = QDir(out).filePath(QStringLiteral("pijp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const auto& o : outputs) {
        const QString target = QDir(out).filePath(QString::fromLatin1(o.file));
        // written whole without a limit, and bigger than it
        Result r = cli(o.args + QStringList{target});
        ASSERT_EQ(r.exitCode, 0) << o.file << r.errors.toStdString();
        ASSERT_GT(QFileInfo(target).size(), 2048) << o.file;

        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("oud");
        old.close();
        r = runLimited(o.args + QStringList{target});
        EXPECT_EQ(r.exitCode, 2) << o.file;
        EXPECT_TRUE(r.errors.contains(FileWriterTexts::NotWritten.arg(target).chopped(1)))
            << o.file << r.errors.toStdString();
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "oud") << o.file;
        old.close();
        QStringList left = QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::System);
        left.removeOne(QStringLiteral("pijp"));
        EXPECT_EQ(left, QStringList{QString::fromLatin1(o.file)}) << o.file;
        QFile::remove(target);

        r = cli(o.args + QStringList{fifo});
        EXPECT_EQ(r.exitCode, 2) << o.file;
        EXPECT_TRUE(r.errors.contains(FileWriterTexts::NotARegularFile.arg(fifo))) << r.errors.toStdString();
        struct stat st {};
        ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << o.file;
    }
}

// The command says why it cannot start: the connection's failure, a folder
// that is no program folder (left uncreated), update scripts waiting.
TEST_F(Cli, SaysWhyItCannotStart) {
    const QString notADatabase = dir.filePath(QStringLiteral("tekst.db"));
    QFile text(notADatabase);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4096, 't'));
    text.close();
    const struct {
        QString connection;
        QString reason;
    } failures[] = {
        {QStringLiteral("Provider=Jet;Data Source=x.mdb"),
         QStringLiteral("Onbekende database-provider \"Jet\"")},
        {QStringLiteral("Provider=SQLite;Data Source=") + dir.path(), QStringLiteral("bestaat niet")},
        {QStringLiteral("Provider=SQLite;Data Source=") + notADatabase, QStringLiteral("not a database")},
    };
    for (const auto& f : failures) {
        const Result r =
            cli({QStringLiteral("--connection"), f.connection, QStringLiteral("collectivities")});
        EXPECT_EQ(r.exitCode, 2) << f.connection.toStdString();
        EXPECT_TRUE(r.errors.contains(f.reason)) << r.errors.toStdString();
    }

    const QString typo = dir.filePath(QStringLiteral("ostrapl"));
    const Result r = run(QStringLiteral(OSTRAPEL_CLI),
                         {QStringLiteral("--program-dir"), typo, QStringLiteral("collectivities")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("\"%1\" is geen programmamap").arg(typo)))
        << r.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(typo));

    // an Import folder held by a crashed workstation: waited for so long, then refused
    QDir().mkpath(dir.filePath(QStringLiteral("Import")));
    QFile lock(dir.filePath(QStringLiteral("Import/.import.lock")));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("4242\nostrapel\nwerkstation-7\n");
    lock.close();
    const QStringList archives = samples(QStringLiteral("in"));
    const Result held =
        cli(QStringList{QStringLiteral("import"), QStringLiteral("--wait"), QStringLiteral("1")} + archives);
    EXPECT_EQ(held.exitCode, 2);
    EXPECT_TRUE(held.errors.contains(QStringLiteral("nog bezet (proces 4242 op werkstation-7, sinds ")))
        << held.errors.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 0);
    lock.remove();

    QDir().mkpath(dir.filePath(QStringLiteral("SqlScripts")));
    QFile script(dir.filePath(QStringLiteral("SqlScripts/dbupdate1-01.sql")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("delete from bord00\r\n");
    script.close();
    const Result refused = cli(QStringList{QStringLiteral("import")} + archives);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("updatescripts klaar (dbupdate1-01.sql)")))
        << refused.errors.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 0);
    EXPECT_TRUE(script.exists());
}

// An import and a compaction of the same database take turns: both succeed,
// whichever comes first, and every statement is in the database.
TEST_F(Cli, AnImportAndACompactionTakeTurns) {
    OSTRAPEL_SQLITE_ONLY("the database file; a server compacts in place");
    SampleOptions o = small();
    o.persons = 150;
    o.periods = {QStringLiteral("2005-10"), QStringLiteral("2005-11"), QStringLiteral("2005-12")};
    const QStringList archives = samples(QStringLiteral("in"), {}, o);
    const int delays[] = {0, 150, 400};
    for (int round = 0; round < 3; ++round) {
        QProcess import, compact;
        import.start(QStringLiteral(OSTRAPEL_CLI), {QStringLiteral("--program-dir"), dir.path(),
                                                    QStringLiteral("import"), archives[round]});
        QThread::msleep(delays[round]);
        compact.start(QStringLiteral(OSTRAPEL_CLI),
                      {QStringLiteral("--program-dir"), dir.path(), QStringLiteral("compact")});
        ASSERT_TRUE(import.waitForFinished(120000) && compact.waitForFinished(120000));
        const Result i = finished(import), c = finished(compact);
        EXPECT_EQ(i.exitCode, 0) << round << i.errors.toStdString();
        EXPECT_EQ(c.exitCode, 0) << round << c.errors.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from bord00")), 3);
    EXPECT_EQ(
        dir.connect(QStringLiteral("check"))->scalar(QStringLiteral("PRAGMA integrity_check")).toString(),
        QStringLiteral("ok"));
}
