#pragma once

#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/DataSet.h"
#include "core/ProgressReporter.h"
#include "core/RecordCatalogue.h"
#include "reports/ReportInputs.h"

#include <QFile>
#include <QStringList>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace ostrapel::test {

// Collectivity 12-1 "Bakkerij De Korrel" of insurance type 2 with three persons
// and a handful of premium components in 2006-01 to 2006-03, written row by row
// so that every amount of the reports is known.
//
//   100001 J. van Dam-Vries  main person, records in all three months
//   100003 K. Vries          co-insured in unit 100001
//   100002 P. Jansen         main person, record in 2006-03 only
class ReportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.load(*db);
        for (const char* month : {"2006-01", "2006-02", "2006-03"})
            insert(QStringLiteral("bord00"),
                   {{"ID03", month}, {"0002", "D-4711"}, {"0003", "Bakkerij De Korrel"}});
        for (const char* month : {"2006-01", "2006-02", "2006-03"}) {
            person(month, "100001", "100001", "W01", "Vries", "J.", "", "Dam", "van", "J");
            person(month, "100003", "100001", "W03", "Vries", "K.", "", "", "", "N");
        }
        person("2006-03", "100002", "100002", "W02", "Jansen", "P.", "de", "", "", "N");

        // 2006-03: renewal per unit, corrections and a manual component
        component("2006-03", "100001", "100001", "1", "BAS001", "Basisverzekering", 95.5);
        component("2006-03", "100001", "100003", "1", "BAS001", "Basisverzekering", 95.5);
        component("2006-03", "100001", "100001", "2", "AV0001", "", -12.0);
        component("2006-03", "100002", "100002", "1", "BAS001", "Basisverzekering", 1234.5);
        component("2006-03", "100002", "100002", "3", "TAN002", "Tandarts", 12.0);
        // 2006-01 against 2006-02: changed, same, only in A, only in B, other origins
        component("2006-01", "100001", "100001", "1", "BAS001", "Basisverzekering", 10.0);
        component("2006-02", "100001", "100001", "1", "BAS001", "Basisverzekering", 12.5);
        component("2006-01", "100001", "100001", "1", "AV0001", "Aanvullend", 5.0);
        component("2006-02", "100001", "100001", "1", "AV0001", "Aanvullend", 5.0);
        component("2006-01", "100001", "100003", "1", "TAN002", "Tandarts", 7.25);
        component("2006-02", "100001", "100003", "1", "FYS003", "Fysiotherapie", 3.0);
        component("2006-02", "100001", "100003", "2", "MUT001", "Mutatie", 4.0);
        component("2006-01", "100001", "100003", "3", "HND001", "Handmatig", 2.0);
    }
    void insert(const QString& table, std::initializer_list<std::pair<const char*, QVariant>> values) {
        QStringList columns{QStringLiteral("ID01"), QStringLiteral("ID02")};
        QStringList params{QStringLiteral(":ID01"), QStringLiteral(":ID02")};
        QVariantMap bound{{QStringLiteral("ID01"), 12}, {QStringLiteral("ID02"), 1}};
        int i = 0;
        for (const auto& [name, value] : values) {
            columns << QLatin1Char('[') + QLatin1String(name) + QLatin1Char(']');
            params << QStringLiteral(":p%1").arg(i);
            bound[QStringLiteral("p%1").arg(i++)] = value;
        }
        db->execute(QStringLiteral("insert into %1 (%2) values (%3)")
                        .arg(table, columns.join(u','), params.join(u',')),
                    bound);
    }
    void person(const char* month, const char* klantNr, const char* unit, const char* werknemer,
                const char* name, const char* initials, const char* prefix, const char* partner,
                const char* partnerPrefix, const char* compound) {
        insert(QStringLiteral("bord10"), {{"ID03", month},
                                          {"ID04", werknemer},
                                          {"ID05", unit},
                                          {"ID07", klantNr},
                                          {"1002", name},
                                          {"1003", initials},
                                          {"1004", prefix},
                                          {"1012", "Kerkstraat"},
                                          {"1013", "12"},
                                          {"1015", "bis"},
                                          {"1016", "1234AB"},
                                          {"1017", "Utrecht"},
                                          {"1019", "NL"},
                                          {"1020", partner},
                                          {"1021", partnerPrefix},
                                          {"1022", compound},
                                          {"1024", " "}});
    }
    void component(const char* month, const char* unit, const char* klantNr, const char* origin,
                   const char* code, const char* name, double amount) {
        const QString m = QString::fromLatin1(month);
        insert(QStringLiteral("bord50"), {{"ID03", month},
                                          {"ID05", unit},
                                          {"ID07", klantNr},
                                          {"5002", origin},
                                          {"5003", "01"},
                                          {"5004", code},
                                          {"5007", name},
                                          {"5008", amount},
                                          {"5009", m + QStringLiteral("-01")},
                                          {"5010", m + QStringLiteral("-28")},
                                          {"5012", name}});
    }

    // What the window of 12-1, insurance type 2, hands a report.
    static ReportInputs windowInputs() {
        ReportInputs in;
        in.collectivity = {12, 1};
        in.insuranceType = InsuranceType::Standard;
        in.keyField = QStringLiteral("ID07");
        return in;
    }

    TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
    RecordCatalogue catalogue;
};

// Progress that remembers its messages.
class RecordedProgress : public ProgressReporter {
public:
    void begin(const QString& caption) override { messages << caption; }
    void setText(const QString& text) override { messages << text; }
    void setMaximum(int m) override { maximum = m; }
    void end() override { finished = true; }
    QStringList messages;
    int maximum = -1;
    bool finished = false;
};

} // namespace ostrapel::test
