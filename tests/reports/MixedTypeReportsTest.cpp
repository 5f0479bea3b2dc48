// Reports and export of a collectivity that changed insurance type: every
// person has a stored row of each type, the months of 2005 hold the old
// type's premiums, three months of 2006 the new type's. The names need the
// Dutch order (accents with their base letter) and two persons are namesakes.
#include "ReportFixture.h"
#include "core/Encoding.h"
#include "reports/ExportCommand.h"
#include "reports/ReportBuilder.h"

#include <QBuffer>
#include <QRegularExpression>

using namespace ostrapel;

namespace {

struct Person {
    const char* klantNr;
    const char* name;
    const char* initials;
    const char* partner; // with compound flag "J" when set
};

// In the order a Dutch reader expects them by surname and initials.
const Person kPersons[] = {
    {"200005", "d'Hondt", "F.", ""},  {"200004", "Éénhoorn", "E.", ""}, {"200006", "Jansen", "P.", ""},
    {"200007", "Jansen", "P.", ""},   {"200001", "Müller", "A.", ""},   {"200003", "Müller", "B.", "Çelik"},
    {"200002", "Öztürk", "G.H.", ""}, {"200008", "Wit", "M.E.", ""},
};
const char* const kSvMonths[] = {"2006-01", "2006-02", "2006-03"};

class MixedTypes : public test::ReportFixture {
protected:
    void SetUp() override {
        catalogue.load(*db);
        for (const char* month : {"2005-11", "2005-12", "2006-01", "2006-02", "2006-03"})
            insert(QStringLiteral("bord00"), {{"ID03", month}, {"0003", "Gemengd BV"}});
        int index = 0;
        for (const Person& p : kPersons) {
            // the stored rows: the newest of each type
            personRow("2005-12", p, "Z");
            personRow("2006-03", p, " ");
            for (const char* month : {"2005-11", "2005-12"})
                componentRow(month, p.klantNr, "1", "ZF0001", "Ziekenfonds", "", 50.0 + index);
            for (const char* month : kSvMonths) {
                componentRow(month, p.klantNr, "1", "BAS001", "Basis", "Basisverzekering", 100.0 + index);
                svTotal[month] += 100.0 + index;
            }
            componentRow("2006-01", p.klantNr, "2", "BAS001", "Basis", "Basisverzekering", -1.25 * index);
            svTotal["2006-01"] += -1.25 * index;
            ++index;
        }
    }
    void personRow(const char* month, const Person& p, const char* type) {
        const bool compound = *p.partner != '\0';
        insert(QStringLiteral("bord10"), {{"ID03", month},
                                          {"ID04", QStringLiteral("W") + QLatin1String(p.klantNr)},
                                          {"ID05", p.klantNr},
                                          {"ID07", p.klantNr},
                                          {"1002", QString::fromUtf8(p.name)},
                                          {"1003", p.initials},
                                          {"1020", QString::fromUtf8(p.partner)},
                                          {"1022", compound ? "J" : "N"},
                                          {"1024", type}});
    }
    void componentRow(const char* month, const char* klantNr, const char* origin, const char* code,
                      const char* oldName, const char* newName, double amount) {
        insert(QStringLiteral("bord50"), {{"ID03", month},
                                          {"ID05", klantNr},
                                          {"ID07", klantNr},
                                          {"5002", origin},
                                          {"5003", "01"},
                                          {"5004", code},
                                          {"5007", oldName},
                                          {"5008", amount},
                                          {"5012", newName}});
    }
    QString build(ReportKind kind) {
        ReportBuilder data(*db, catalogue);
        data.inputs = inputs;
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        test::RecordedProgress progress;
        data.buildReport(kind, QStringLiteral("T"), nullptr, 1, 10000, out, progress);
        return decodeCp1252(out.data());
    }
    static double amount(QString text) {
        text = text.trimmed();
        const bool negative = text.endsWith(u'-');
        text.remove(u'-').remove(u'.').replace(u',', u'.');
        return negative ? -text.toDouble() : text.toDouble();
    }
    // The customer numbers of the groups in report order.
    static QStringList groups(const QString& text) {
        static const QRegularExpression header(QStringLiteral("Klantnr\\.: (\\d+)"));
        QStringList keys;
        for (auto it = header.globalMatch(text); it.hasNext();)
            keys << it.next().captured(1);
        return keys;
    }
    // The sum of the groups' totals (last amount of each "Totaal" line after the
    // first person) and the overview's total.
    static std::pair<double, double> groupAndOverviewTotals(const QString& text) {
        double groups = 0, overview = 0;
        const qsizetype firstPerson = text.indexOf(QStringLiteral("Klantnr.:"));
        static const QRegularExpression total(QStringLiteral("^ *Totaal .*?([-0-9.,]+-?) *$"),
                                              QRegularExpression::MultilineOption);
        for (auto it = total.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            (m.capturedStart() < firstPerson ? overview : groups) += amount(m.captured(1));
        }
        return {groups, overview};
    }

    ReportInputs inputs = windowInputs();
    std::map<std::string, double> svTotal;
};

// A component line of the selection report, which begins with its month.
QRegularExpression monthLine(const QString& year) {
    return QRegularExpression(u'^' + year + QStringLiteral("-\\d\\d "), QRegularExpression::MultilineOption);
}

QStringList personOrder(bool compound = false) {
    QStringList keys;
    for (const Person& p : kPersons)
        keys << QLatin1String(p.klantNr);
    if (compound) keys.move(keys.indexOf(QStringLiteral("200003")), 0); // under Çelik
    return keys;
}

} // namespace

TEST_F(MixedTypes, CollectionListsEachPersonOnceUnderTheReportsType) {
    for (const char* month : kSvMonths) {
        inputs.reportMonth = QLatin1String(month);
        const QString text = build(ReportKind::Collection);
        // every person once, earlier months too, namesakes apart, in Dutch order
        EXPECT_EQ(groups(text), personOrder()) << month;
        const auto [byGroup, overview] = groupAndOverviewTotals(text);
        EXPECT_NEAR(overview, svTotal[month], 0.001) << month;
        EXPECT_NEAR(byGroup, overview, 0.001) << month;
        EXPECT_FALSE(text.contains(QStringLiteral("Ziekenfonds"))) << month;
        EXPECT_FALSE(text.contains(QStringLiteral("Handmatige Factuur"))) << month;
    }
    inputs.reportMonth = QStringLiteral("2006-03");
    inputs.compoundSurname = true;
    EXPECT_EQ(groups(build(ReportKind::Collection)), personOrder(true));
}

TEST_F(MixedTypes, SelectionAndCorrectionKeepToTheType) {
    const QString selection = build(ReportKind::Selection);
    EXPECT_EQ(groups(selection), personOrder());
    EXPECT_FALSE(selection.contains(monthLine(QStringLiteral("2005"))));
    EXPECT_FALSE(selection.contains(QStringLiteral("Handmatige Factuur")));
    double all = 0;
    for (const char* month : kSvMonths)
        all += svTotal[month];
    EXPECT_NEAR(groupAndOverviewTotals(selection).first, all, 0.001);

    inputs.correctionMonth = QStringLiteral("2006-01");
    const QString corrections = build(ReportKind::Correction);
    EXPECT_EQ(groups(corrections), personOrder());

    // The old type's window sees the old months only.
    inputs.insuranceType = InsuranceType::SicknessFundOrPrivate;
    const QString old = build(ReportKind::Selection);
    EXPECT_TRUE(old.contains(monthLine(QStringLiteral("2005"))));
    EXPECT_FALSE(old.contains(monthLine(QStringLiteral("2006"))));
}

TEST_F(MixedTypes, ExportOfAWindowWithoutPeriodHasItsTypesComponentsOnly) {
    ExportCommand c;
    c.collectivity = {12, 1};
    c.insuranceType = InsuranceType::Standard;
    c.fields10 = QStringLiteral("1002;1003;ID07");
    c.fields50 = QStringLiteral("ID03;5008");
    c.outFile = dir.filePath(QStringLiteral("export.txt"));
    // per person: three renewals and one correction of 2006
    EXPECT_EQ(c.run(*db, catalogue), 8 * 4);
    QFile f(c.outFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = decodeCp1252(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 8 * 4);
    QStringList order;
    for (const QString& line : lines.mid(1)) {
        const QStringList cells = line.split(u'\t');
        EXPECT_TRUE(cells[3].startsWith(QStringLiteral("2006-"))) << line.toStdString();
        if (order.isEmpty() || order.last() != cells[2]) order << cells[2];
    }
    EXPECT_EQ(order, personOrder());
}
