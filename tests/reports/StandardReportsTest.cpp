// The standard reports and the renewal differences report, whole texts against
// golden files (tests/fixtures/reports; OSTRAPEL_UPDATE_GOLDEN=1 rewrites them).
#include "FixedClock.h"
#include "ReportFixture.h"
#include "core/Encoding.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportQueries.h"
#include "reports/ReportTexts.h"

#include <QBuffer>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

using namespace ostrapel;

namespace {

class Reports : public test::ReportFixture {
protected:
    QString build(ReportKind kind, const QString& title, int pageLength = 40, DataSet* dataSet = nullptr) {
        const test::FixedClock clock; // 10-12-2026 14:05:09
        ReportBuilder data(*db, catalogue, clock);
        data.inputs = inputs;
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        data.buildReport(kind, title, dataSet, dataSet ? 0 : 1, pageLength, out, progress);
        return decodeCp1252(out.data());
    }
    DataSet renewal(const QString& from, const QString& to) {
        return module.openQuery(ReportQueries::renewalDifferences({12, 1}, InsuranceType::Standard, from, to)
                                    .join(QStringLiteral("\r\n")));
    }
    static void expectGolden(const QString& text, const QString& name) {
        const QString path = QStringLiteral(OSTRAPEL_FIXTURES_DIR "/reports/") + name;
        if (qEnvironmentVariableIsSet("OSTRAPEL_UPDATE_GOLDEN")) {
            QDir().mkpath(QFileInfo(path).path());
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(encodeCp1252(text));
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString golden = decodeCp1252(f.readAll());
        EXPECT_EQ(golden, text) << name.toStdString();
    }
    static QStringList pages(const QString& text) {
        QStringList l = text.split(u'\n');
        l.removeLast();
        return l;
    }

    ReportInputs inputs = windowInputs();
    test::RecordedProgress progress;
    ReportBuilder module{*db, catalogue};
};

} // namespace

TEST_F(Reports, CollectionReport) {
    inputs.reportMonth = QStringLiteral("2006-03");
    const QString text = build(ReportKind::Collection, QStringLiteral("Te incasseren bedragen"));
    expectGolden(text, QStringLiteral("collection.txt"));
    const QStringList l = pages(text);
    EXPECT_EQ(l.size() % 40, 0); // every page is whole
    EXPECT_TRUE(l[38].endsWith(QStringLiteral("pagina 0")));
    EXPECT_TRUE(l[78].endsWith(QStringLiteral("pagina 1")));
    // The main person has records in three months: listed once, under the newest.
    EXPECT_EQ(text.count(QStringLiteral("Handmatige Factuur/Verplichte Verzekering")), 1);
    EXPECT_EQ(progress.messages, QStringList({"Rapport genereren", "Gegevens verzamelen", "Initialiseren ...",
                                              "Collectiviteitsgegevens", "Premiegegevens ...",
                                              "Premietotalen ...", "Gegevens samenstellen"}));
    EXPECT_TRUE(progress.finished);
}

TEST_F(Reports, SelectionReport) {
    const QString text = build(ReportKind::Selection, QStringLiteral("Selectie eigen criteria"), 60);
    expectGolden(text, QStringLiteral("selection.txt"));

    // Restricted by the window's fragments: herkomst on corrections only.
    inputs.herkomstClause = QStringLiteral("AND BORD50.[5002] = '3'");
    const QString corrections = build(ReportKind::Selection, QStringLiteral("Selectie eigen criteria"), 60);
    EXPECT_FALSE(corrections.contains(QStringLiteral("Basisverzekering")));
    EXPECT_TRUE(corrections.contains(QStringLiteral("Tandarts")));
}

TEST_F(Reports, CorrectionReport) {
    inputs.correctionMonth = QStringLiteral("2006-03");
    const QString text = build(ReportKind::Correction, QStringLiteral("Correctiepremies"));
    expectGolden(text, QStringLiteral("correction.txt"));
    EXPECT_FALSE(text.contains(QStringLiteral("Basisverzekering"))); // renewal components are not corrections
}

TEST_F(Reports, RenewalDifferencesReport) {
    DataSet rows = renewal(QStringLiteral("2006-01"), QStringLiteral("2006-02"));
    const QString title = ReportTexts::renewalTitle(QStringLiteral("2006-01"), QStringLiteral("2006-02"));
    EXPECT_EQ(title, QStringLiteral("Prolongatieverschillen: maand 2006-02 vergeleken met maand 2006-01"));
    rows.sort(QStringLiteral("ID07,5004")); // the engine returns the union in no fixed order
    const QString text = build(ReportKind::Renewal, title, 40, &rows);
    expectGolden(text, QStringLiteral("renewal.txt"));
    // Changed, only in A, only in B; the same amount and other origins never.
    EXPECT_EQ(rows.recordCount(), 3);
    for (const char* absent : {"Aanvullend", "Mutatie", "Handmatig"})
        EXPECT_FALSE(text.contains(QLatin1String(absent))) << absent;
}

TEST_F(Reports, EmptyReportsHaveOnlyTheEndMarkerAndOneFooter) {
    DataSet none = renewal(QStringLiteral("2007-01"), QStringLiteral("2007-02"));
    EXPECT_EQ(none.recordCount(), 0);
    const QStringList l = pages(build(ReportKind::Renewal, QStringLiteral("x"), 40, &none));
    ASSERT_EQ(l.size(), 40);
    EXPECT_EQ(l[0], QString());
    EXPECT_EQ(l[1], QStringLiteral("***EINDE VERSLAG***"));
    EXPECT_TRUE(l[38].endsWith(QStringLiteral("pagina 0")));

    inputs.correctionMonth = QStringLiteral("2007-01"); // no corrections that month
    const QString text = build(ReportKind::Correction, QStringLiteral("Correctiepremies"));
    EXPECT_FALSE(text.contains(QStringLiteral("Totaal")));
    EXPECT_TRUE(text.contains(QStringLiteral("***EINDE VERSLAG***")));
}

TEST_F(Reports, GroupsBreakPagesBeforeTheFooter) {
    inputs.reportMonth = QStringLiteral("2006-03");
    for (int pageLength : {16, 20, 25, 33}) {
        const QStringList l = pages(build(ReportKind::Collection, QStringLiteral("T"), pageLength));
        ASSERT_EQ(l.size() % pageLength, 0) << pageLength;
        for (int p = 0; p < l.size() / pageLength; ++p)
            EXPECT_EQ(l[p * pageLength + pageLength - 3], QString(110, u'=')) << pageLength << " page " << p;
    }
    DataSet rows = renewal(QStringLiteral("2006-01"), QStringLiteral("2006-02"));
    const QStringList l = pages(build(ReportKind::Renewal, QStringLiteral("T"), 11, &rows));
    ASSERT_EQ(l.size() % 11, 0);
    for (int p = 0; p < l.size() / 11; ++p)
        EXPECT_EQ(l[p * 11 + 8], QString(110, u'=')) << p;
}

TEST_F(Reports, CollectionReadsTheComponentsOfTheReportMonthOnly) {
    OSTRAPEL_SQLITE_ONLY("SQLite's query plans");
    // Without the month inside the grouped members every month of the
    // collectivity is read and grouped, however long its history.
    const TranslatedSql sql = db->dialect().translate(
        ReportQueries::collectionToRun(InsuranceType::Standard, false).join(QStringLiteral("\r\n")));
    QSqlQuery q(db->database());
    ASSERT_TRUE(q.prepare(QStringLiteral("explain query plan ") + sql.sql));
    for (int i = 0; i < sql.parameterNames.size(); ++i)
        q.addBindValue(QVariant());
    ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    int reads = 0;
    while (q.next()) {
        const QString step = q.value(3).toString();
        if (!step.contains(QStringLiteral("bord50"), Qt::CaseInsensitive)) continue;
        ++reads;
        EXPECT_TRUE(step.contains(QStringLiteral("ID03=?"))) << step.toStdString();
    }
    EXPECT_EQ(reads, 2);
}

TEST_F(Reports, CompoundSurnameOrdersByThePartnersName) {
    inputs.reportMonth = QStringLiteral("2006-03");
    const QString own = build(ReportKind::Collection, QStringLiteral("T"));
    inputs.compoundSurname = true;
    const QString partner = build(ReportKind::Collection, QStringLiteral("T"));
    // Vries sorts after Jansen by the own name, Dam before it by the partner's.
    EXPECT_LT(own.indexOf(QStringLiteral("Jansen")), own.indexOf(QStringLiteral("J. van Dam-Vries")));
    EXPECT_GT(partner.indexOf(QStringLiteral("Jansen")), partner.indexOf(QStringLiteral("J. van Dam-Vries")));
    EXPECT_TRUE(ReportQueries::collection(InsuranceType::Standard, true)
                    .last()
                    .startsWith(QStringLiteral(
                        "order by iif(a.[1022] = 'J', a.[1020] + ' - ' + a.[1002], a.[1002]), a.id07")));
}
