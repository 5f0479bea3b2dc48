// The program's shared SQL texts, one table, each run on an imported database:
// on SQLite, and on PostgreSQL when the tests run there.
#include "SampleGenerator.h"
#include "TestProgramDir.h"
#include "collectivity/ComponentsQuery.h"
#include "collectivity/PersonsQuery.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/RecordCatalogue.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "maintenance/MaintenanceTexts.h"
#include "reports/RenewalDifferences.h"
#include "reports/ReportQueries.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

struct Entry {
    QString name;
    QString sql;
    int minimumRows = 0; // for a select: at least this many rows
};

QString joined(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

std::vector<Entry> sqlTexts(const RecordCatalogue& catalogue) {
    const PeriodClauses period = buildPeriodClauses(QStringLiteral("2005-12;2006-01"));
    using namespace SharedQueries;
    std::vector<Entry> t = {
        {QStringLiteral("QryCollectiviteiten"), QryCollectiviteiten, 2},
        {QStringLiteral("qryGetCollCaption"), qryGetCollCaption, 1},
        {QStringLiteral("qryRecStructure"), qryRecStructure, 20},
        {QStringLiteral("qryFieldDisplay"), qryFieldDisplay, 1},
        {QStringLiteral("dsVersieNr"), dsVersieNr, 1},
        {QStringLiteral("qryEuro"), qryEuro, 0},
        {QStringLiteral("cmdBord00ToEuro"), cmdBord00ToEuro},
        {QStringLiteral("cmdBord10ToEuro"), cmdBord10ToEuro},
        {QStringLiteral("cmdBord50ToEuro"), cmdBord50ToEuro},
        {QStringLiteral("cmdBord99ToEuro"), cmdBord99ToEuro},
        {QStringLiteral("RepairPickList1024"), RepairPickList1024},
        {QStringLiteral("RepairPickList5002"), RepairPickList5002},
        {QStringLiteral("PickListDiffers"), PickListDiffers},
        {QStringLiteral("CleanupPeriods"), MaintenanceTexts::CleanupPeriods, 2},
    };
    for (const int type : {1, 2}) {
        const QString v = QString::number(type);
        t.push_back({QStringLiteral("totals ") + v, joined(ReportQueries::totals(type))});
        for (const bool compound : {false, true}) {
            const QString c = v + (compound ? QStringLiteral(" compound") : QString());
            t.push_back(
                {QStringLiteral("correction ") + c, joined(ReportQueries::correction(type, compound))});
            const QString neutral = QStringLiteral("AND 1=1");
            t.push_back({QStringLiteral("selection ") + c,
                         joined(ReportQueries::selection(
                             type, compound, {neutral, neutral, neutral, neutral, neutral, neutral}))});
            t.push_back({QStringLiteral("selection restricted ") + c,
                         joined(ReportQueries::selection(
                             type, compound,
                             {period.components, QStringLiteral("AND BORD50.[5002] = '1'"), neutral, neutral,
                              QStringLiteral("AND BORD10.[1002] like 'V%'"),
                              QStringLiteral("AND (BORD10.[1008] >= 1)")}))});
            t.push_back({QStringLiteral("renewal differences ") + c,
                         joined(RenewalDifferences(12, 1, type)
                                    .query(QStringLiteral("2005-12"), QStringLiteral("2006-01")))});
        }
    }
    for (const bool compound : {false, true})
        t.push_back({QStringLiteral("collection ") + (compound ? QStringLiteral("compound") : QString()),
                     joined(ReportQueries::collection(compound))});
    for (const int type : {1, 2})
        for (const bool unitView : {false, true}) {
            PersonsQuery persons;
            persons.setIdentity(12, 1, type);
            persons.setFieldList(catalogue.selectFieldList(QStringLiteral("10")));
            persons.periodClause = period.persons;
            persons.setUnitView(unitView);
            persons.setCompoundSurname(unitView);
            persons.searchClause =
                persons.composeSearchClause(QStringLiteral("v'R"), PersonsQuery::orderField());
            t.push_back(
                {QStringLiteral("persons %1%2").arg(type).arg(unitView ? " unit view" : ""), persons.sql()});
        }
    for (const auto mode : {ComponentsQuery::Mode::Individual, ComponentsQuery::Mode::Joint}) {
        ComponentsQuery components;
        components.setIdentity(12, 1);
        components.setFieldList(catalogue.selectFieldList(QStringLiteral("50")));
        components.setMode(mode);
        t.push_back({QStringLiteral("components ") + components.modeLetter(), components.sql()});
        t.push_back({QStringLiteral("component totals ") + components.modeLetter(), components.totalsSql()});
    }
    return t;
}

// A value for every parameter name the texts use.
QVariant parameter(const QString& name) {
    const QString n = name.toLower();
    if (n.startsWith(QStringLiteral("collnr")) || n.startsWith(QStringLiteral("id01"))) return 12;
    if (n.startsWith(QStringLiteral("collvolgnr")) || n.startsWith(QStringLiteral("id02"))) return 1;
    if (n.startsWith(QStringLiteral("id03")) || n.startsWith(QStringLiteral("periode")) ||
        n == QStringLiteral("premieperiode"))
        return QStringLiteral("2006-01");
    if (n == QStringLiteral("valutasoort")) return QStringLiteral("EUR");
    if (n == QStringLiteral("id05") || n == QStringLiteral("id07")) return QStringLiteral("0003000010");
    if (n == QStringLiteral("soort")) return QStringLiteral("10");
    if (n == QStringLiteral("veldnr")) return QStringLiteral("24");
    if (n == QStringLiteral("picklist")) return QStringLiteral("x");
    return {};
}

} // namespace

TEST(SqlTexts, EveryTextRunsOnTheEngine) {
    test::TestProgramDir dir;
    RecordCatalogue catalogue;
    {
        auto db = dir.connect(QStringLiteral("setup"));
        catalogue.load(*db);
    }
    SampleOptions options;
    options.collectivities = 2;
    options.persons = 12;
    options.periods = {QStringLiteral("2005-12"), QStringLiteral("2006-01")};
    QProcess cli;
    cli.start(QStringLiteral(OSTRAPEL_CLI),
              QStringList{QStringLiteral("--program-dir"), dir.path(), QStringLiteral("import")} +
                  SampleGenerator(catalogue, options).writeAll(dir.filePath(QStringLiteral("in"))));
    ASSERT_TRUE(cli.waitForFinished(120000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    auto db = dir.connect();
    for (const Entry& e : sqlTexts(catalogue)) {
        SCOPED_TRACE(e.name.toStdString());
        db->beginTransaction(); // writes are undone: each entry sees the imported data
        try {
            SqlStatement& s = db->prepare(e.sql);
            for (const QString& name : s.parameterNames()) {
                const QVariant v = parameter(name);
                EXPECT_TRUE(v.isValid()) << "no value for :" << name.toStdString();
                s.bind(name, v);
            }
            s.exec();
            int rows = 0;
            while (s.next())
                ++rows;
            s.finish();
            EXPECT_GE(rows, e.minimumRows);
        } catch (const DatabaseError& error) {
            ADD_FAILURE() << error.message().toStdString();
        }
        db->rollback();
    }
}
