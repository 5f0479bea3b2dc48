// The program's shared SQL texts, one table, each run on an imported database:
// on SQLite, and on PostgreSQL when the tests run there.
#include "MemoryPasswordStore.h"
#include "OracleQueries.h"
#include "SampleGenerator.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "collectivity/CollectivityDetails.h"
#include "collectivity/CollectivityQueries.h"
#include "collectivity/ComparisonChoice.h"
#include "collectivity/ComponentsQuery.h"
#include "collectivity/DropDownFilter.h"
#include "collectivity/InvoiceMonths.h"
#include "collectivity/PeriodChoice.h"
#include "collectivity/PersonsQuery.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "core/SqlStatement.h"
#include "core/StatementDatabase.h"
#include "core/Transaction.h"
#include "filters/CriterionWizard.h"
#include "filters/FilterClause.h"
#include "filters/FilterQueries.h"
#include "filters/FilterStore.h"
#include "filters/FilterTexts.h"
#include "import/BulkInserter.h"
#include "import/ImportQueries.h"
#include "import/ImportRun.h"
#include "import/SilentImportView.h"
#include "import/StatementFile.h"
#include "maintenance/Cleanup.h"
#include "maintenance/CleanupSelection.h"
#include "maintenance/MaintenanceQueries.h"
#include "maintenance/MaintenanceTexts.h"
#include "reports/ExportQuery.h"
#include "reports/ReportQueries.h"

#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

struct Entry {
    QString name;
    QString sql;
    int minimumRows = 0; // for a select: at least this many rows
    // Texts kept inside a function run through that function: it is given the
    // connection and checks what it got.
    std::function<void(Connection&)> run = {};
};

// A criterion as the wizard composes it.
FilterCriterion criterion(const QString& field, const QString& op, const QString& value, QChar type) {
    FilterCriterion c;
    c.VeldReal = field;
    c.VeldDisplay = field;
    c.WaardeReal = value;
    c.WaardeDisplay = value;
    c.OperatorDisplay = op;
    c.Filter = CriterionWizard::buildCondition(field, op, value, type).value_or(QString());
    return c;
}

// One criterion of each kind of field, and all of them together.
std::vector<std::pair<QString, std::vector<FilterCriterion>>> filterVariants() {
    const std::vector<FilterCriterion> each = {
        criterion(QStringLiteral("1002"), FilterTexts::BeginsWith, QStringLiteral("v'R"), u'A'),
        criterion(QStringLiteral("1002"), FilterTexts::Contains, QStringLiteral("e"), u'A'),
        criterion(QStringLiteral("1007"), QStringLiteral("="), QStringLiteral("H"), u'A'),
        criterion(QStringLiteral("1005"), QStringLiteral(">="), QStringLiteral("1-1-1900"), u'D'),
        criterion(QStringLiteral("1008"), QStringLiteral("="), QStringLiteral("1"), u'N'),
        criterion(QStringLiteral("1008"), QStringLiteral("<>"), QStringLiteral("2"), u'N'),
        criterion(QStringLiteral("1025"), QStringLiteral(">="), QStringLiteral("0"), u'S'),
        criterion(QStringLiteral("ID04"), QStringLiteral("<>"), QStringLiteral("x"), u'A'),
    };
    std::vector<std::pair<QString, std::vector<FilterCriterion>>> variants;
    for (const FilterCriterion& c : each)
        variants.push_back({c.Filter, {c}});
    variants.push_back({QStringLiteral("all criteria"), each});
    return variants;
}

QString joined(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

bool indexExists(Connection& db, const QString& name) {
    QSqlQuery q(db.database());
    q.prepare(
        db.isPostgreSql()
            ? QStringLiteral("select count(*) from pg_indexes where lower(indexname) = lower(?)")
            : QStringLiteral(
                  "select count(*) from sqlite_master where type = 'index' and lower(name) = lower(?)"));
    q.addBindValue(name);
    return q.exec() && q.next() && q.value(0).toInt() > 0;
}

int rowCount(Connection& db, const QString& table) {
    return db.scalar(QStringLiteral("select count(*) from ") + table).toInt();
}

// Person rows that a later month of the same person and insurance supersedes:
// the import's clean-up leaves none.
int supersededRows(Connection& db) {
    return db
        .scalar(QStringLiteral(
            "select count(*) from bord10 a, bord10 b where a.ID01 = b.ID01 and a.ID02 = b.ID02 "
            "and a.ID07 = b.ID07 and a.[1024] = b.[1024] and a.ID03 < b.ID03"))
        .toInt();
}

// What the texts run on besides the imported database.
struct Context {
    const RecordCatalogue& catalogue;
    const test::TestProgramDir& dir;
    QString laterStatement; // a statement file of a later month, not imported yet
};

std::vector<Entry> sqlTexts(const Context& context) {
    const RecordCatalogue& catalogue = context.catalogue;
    const PeriodClauses period = buildPeriodClauses(QStringLiteral("2005-12;2006-01"));
    using namespace SharedQueries;
    std::vector<Entry> t = {
        {QStringLiteral("QryCollectiviteiten"), CollectivitiesQuery, 2},
        {QStringLiteral("qryGetCollCaption"), CollectivityCaptionQuery, 1},
        {QStringLiteral("qryRecStructure"), qryRecStructure, 20},
        {QStringLiteral("qryFieldDisplay"), qryFieldDisplay, 1},
        {QStringLiteral("dsVersieNr"), DatabaseVersionQuery, 1},
        {QStringLiteral("qryEuro"), qryEuro, 0},
        {QStringLiteral("cmdBord00ToEuro"), cmdBord00ToEuro},
        {QStringLiteral("cmdBord10ToEuro"), cmdBord10ToEuro},
        {QStringLiteral("cmdBord50ToEuro"), cmdBord50ToEuro},
        {QStringLiteral("cmdBord99ToEuro"), cmdBord99ToEuro},
        {QStringLiteral("RepairPickList1024"), RepairPickList1024},
        {QStringLiteral("RepairPickList5002"), RepairPickList5002},
        {QStringLiteral("PickListDiffers"), PickListDiffers},
        {QStringLiteral("CleanupPeriods"), MaintenanceQueries::CleanupPeriods, 2},
        {QStringLiteral("collectivity count"), ReportQueries::CollectivityCount, 1},
        {QStringLiteral("statement count"), ReportQueries::StatementCount, 1},
        {QStringLiteral("period dialog months"), CollectivityQueries::PeriodMonths, 0},
        {QStringLiteral("imported statement"), ImportQueries::ImportedStatement, 0},
        {QStringLiteral("person periods"), ImportQueries::PersonPeriods, 1},
        {QStringLiteral("wizard fields"), FilterQueries::WizardFields, 1},
        {QStringLiteral("wizard values"), FilterQueries::distinctValues(QStringLiteral("1002")), 1},
    };
    for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard})
        t.push_back({QStringLiteral("premium trend %1").arg(toStored(type)),
                     CollectivityQueries::premiumTrend(type)});
    // The start-up indexes, on a database from before them.
    for (const auto& [index, sql] :
         {std::pair{QStringLiteral("IDX_BORD10_ID01_ID02_ID07_1024"), CreateIndex1024},
          {QStringLiteral("IDX_BORD10_ID07"), CreateIndexId07},
          {QStringLiteral("IDX_BORD50_COMPONENT_SET"), CreateIndexComponentSet}})
        t.push_back(
            {QStringLiteral("start-up index ") + index, {}, 0, [index = index, sql = sql](Connection& db) {
                 if (indexExists(db, index)) db.execute(QStringLiteral("drop index ") + index);
                 ASSERT_FALSE(indexExists(db, index));
                 db.execute(sql);
                 EXPECT_TRUE(indexExists(db, index));
             }});
    t.push_back({QStringLiteral("collectivity exists"), {}, 0, [&dir = context.dir](Connection&) {
                     Settings settings(dir.path());
                     test::ScriptedPrompts prompts;
                     test::MemoryPasswordStore passwords;
                     StatementDatabase dm(settings, prompts, passwords);
                     ASSERT_TRUE(dm.startUp());
                     EXPECT_TRUE(dm.collectivityExists({12, 1}, InsuranceType::SicknessFundOrPrivate));
                     EXPECT_TRUE(dm.collectivityExists({12, 1}, InsuranceType::Standard));
                     EXPECT_FALSE(dm.collectivityExists({12, 9}, InsuranceType::SicknessFundOrPrivate));
                 }});
    for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard}) {
        const QString v = QString::number(toStored(type));
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
                         joined(ReportQueries::renewalDifferences({12, 1}, type, QStringLiteral("2005-12"),
                                                                  QStringLiteral("2006-01")))});
        }
    }
    for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard})
        for (const bool compound : {false, true})
            t.push_back(
                {QStringLiteral("collection %1%2").arg(toStored(type)).arg(compound ? " compound" : ""),
                 joined(ReportQueries::collection(type, compound))});
    t.push_back({QStringLiteral("collection as run"),
                 joined(ReportQueries::collectionToRun(InsuranceType::Standard, false))});
    for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard})
        for (const bool unitView : {false, true}) {
            PersonsQuery persons;
            persons.setIdentity({12, 1}, type);
            persons.setFieldList(catalogue.selectFieldList(QStringLiteral("10")));
            persons.periodClause = period.persons;
            persons.setUnitView(unitView);
            persons.setCompoundSurname(unitView);
            persons.searchClause =
                persons.composeSearchClause(QStringLiteral("v'R"), PersonsQuery::orderField());
            t.push_back({QStringLiteral("persons %1%2").arg(toStored(type)).arg(unitView ? " unit view" : ""),
                         persons.sql()});
        }
    for (const auto mode : {ComponentsQuery::Mode::Individual, ComponentsQuery::Mode::Joint}) {
        ComponentsQuery components;
        components.setIdentity({12, 1});
        components.setFieldList(catalogue.selectFieldList(QStringLiteral("50")));
        components.setMode(mode);
        t.push_back({QStringLiteral("components ") + components.modeLetter(), components.sql()});
        t.push_back({QStringLiteral("component totals ") + components.modeLetter(), components.totalsSql()});
        components.periodClause = period.components;
        components.setFilter(ComponentsQuery::Herkomst, QStringLiteral("1"), QStringLiteral("PROL"));
        components.setFilter(ComponentsQuery::Soort, QStringLiteral("x'y"), QStringLiteral("x'y"));
        components.setFilter(ComponentsQuery::Component, QStringLiteral("A"), QStringLiteral("A"));
        t.push_back({QStringLiteral("components filtered ") + components.modeLetter(), components.sql()});
        t.push_back(
            {QStringLiteral("component totals filtered ") + components.modeLetter(), components.totalsSql()});
    }
    for (const auto& [name, criteria] : filterVariants())
        for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard}) {
            PersonsQuery persons;
            persons.setIdentity({12, 1}, type);
            persons.setFieldList(catalogue.selectFieldList(QStringLiteral("10")));
            persons.filterClause = FilterClause::build(criteria);
            persons.unitClause = PersonsQuery::composeUnitClause(QStringLiteral("0003000010"));
            t.push_back(
                {QStringLiteral("persons %1 filter %2").arg(toStored(type)).arg(name), persons.sql()});
        }
    {
        PersonsQuery persons;
        persons.setIdentity({12, 1}, InsuranceType::SicknessFundOrPrivate);
        persons.setFieldList(catalogue.selectFieldList(QStringLiteral("10")));
        persons.periodClause = period.persons;
        const QString sql = persons.unorderedSql();
        t.push_back({QStringLiteral("persons snapshot"), sql, 0, [sql](Connection& db) {
                         DataSet d;
                         d.loadSnapshot(db, sql, PersonsQuery::sortFieldsFor(QStringLiteral("1002")),
                                        PersonsQuery::orderField());
                         EXPECT_GT(d.recordCount(), 0);
                     }});
    }
    for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard})
        for (const bool restricted : {false, true}) {
            ReportInputs inputs;
            inputs.collectivity = {12, 1};
            inputs.insuranceType = type;
            PersonsQuery persons;
            persons.setIdentity({12, 1}, type);
            inputs.personsWhereLine = persons.whereLine();
            if (restricted) {
                inputs.filterClause = FilterClause::build(filterVariants().back().second);
                inputs.componentsPeriodClause = period.components;
                inputs.personsPeriodClause = period.persons;
                inputs.soortClause = QStringLiteral("AND bord50.[5003] <> 'x'");
            }
            const QString name =
                QStringLiteral("export %1%2").arg(toStored(type)).arg(restricted ? " restricted" : "");
            t.push_back({name + QStringLiteral(" persons"),
                         joined(ExportQuery(QStringLiteral("1002;ID04;1005;1008;1025"), {}).lines(inputs))});
            t.push_back({name + QStringLiteral(" components"),
                         joined(ExportQuery(QStringLiteral("1002;1008"), QStringLiteral("5004;5008;5009"))
                                    .lines(inputs))});
        }
    t.push_back(
        {QStringLiteral("drop-down distinct values"), test::distinctValuesQuery(QStringLiteral("5004")), 1});
    t.push_back(
        {QStringLiteral("drop-down next value"), CollectivityQueries::nextValue(QStringLiteral("5004")), 1});
    t.push_back({QStringLiteral("drop-down build"), {}, 0, [&catalogue](Connection& db) {
                     DropDownFilter filter;
                     filter.build(db, catalogue, QStringLiteral("5004"), {12, 1});
                     EXPECT_GT(filter.entries().size(), 1);
                 }});
    for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard}) {
        const QString v = QString::number(toStored(type));
        t.push_back({QStringLiteral("invoice months query ") + v, test::invoiceMonthsQuery(type)});
        t.push_back({QStringLiteral("invoice months ") + v, {}, 0, [type](Connection& db) {
                         const QStringList months = invoiceMonths(db, {12, 1}, type);
                         if (type == InsuranceType::SicknessFundOrPrivate) {
                             EXPECT_FALSE(months.isEmpty());
                         }
                     }});
        t.push_back(
            {QStringLiteral("comparison months query ") + v, CollectivityQueries::comparisonMonths(type)});
        t.push_back({QStringLiteral("comparison months ") + v, {}, 0, [type](Connection& db) {
                         ComparisonChoice::months(db, {12, 1}, type);
                     }});
        t.push_back({QStringLiteral("period choice months ") + v, {}, 0, [type](Connection& db) {
                         PeriodChoice::months(db, {12, 1}, type);
                     }});
    }
    t.push_back({QStringLiteral("collectivity details"), CollectivityQueries::Collectivity, 1});
    t.push_back({QStringLiteral("collectivity history"), CollectivityQueries::History, 1});
    t.push_back({QStringLiteral("collectivity details dialog"), {}, 0, [&catalogue](Connection& db) {
                     CollectivityDetails details(db, catalogue, {12, 1});
                     EXPECT_GE(details.collectivity().recordCount(), 1); // a row per statement
                     EXPECT_GT(details.history().recordCount(), 0);
                 }});
    t.push_back({QStringLiteral("criterion wizard"), {}, 0, [&catalogue](Connection& db) {
                     CriterionWizard wizard(db, catalogue);
                     EXPECT_FALSE(wizard.fields().empty());
                     wizard.presetField(QStringLiteral("1002")); // the distinct surnames
                     EXPECT_FALSE(wizard.valueItems().isEmpty());
                 }});
    t.push_back({QStringLiteral("filter store"), {}, 0, [](Connection& db) {
                     FilterStore store(db);
                     std::vector<FilterCriterion> criteria;
                     for (const auto& variant : filterVariants())
                         if (variant.second.size() == 1) criteria.push_back(variant.second.front());
                     const int id =
                         store.store(-1, criteria, QStringLiteral("proef"), QStringLiteral("test"));
                     EXPECT_EQ(store.criteria(id).size(), criteria.size());
                     EXPECT_GE(store.list().recordCount(), 1);
                     criteria.pop_back();
                     EXPECT_EQ(store.store(id, criteria), id);
                     EXPECT_EQ(store.criteria(id).size(), criteria.size());
                     store.remove(id);
                     EXPECT_TRUE(store.criteria(id).empty());
                 }});
    // The import's own texts: the rows written both ways the engine allows
    // (undone), then a later month imported whole and offered a second time.
    for (const bool inserts : {false, true})
        t.push_back({QStringLiteral("import rows%1").arg(inserts ? " as inserts" : ""),
                     {},
                     0,
                     [&catalogue, inserts, path = context.laterStatement](Connection& db) {
                         const QByteArray bytes = readStatementBytes(path);
                         const std::vector<QByteArrayView> lines = splitStatementLines(bytes);
                         const int before = rowCount(db, QStringLiteral("bord50"));
                         Transaction transaction(db);
                         BulkInserter inserter(db, catalogue, inserts);
                         for (const QByteArrayView line : lines)
                             if (const int which = inserter.recordIndex(line); which >= 0)
                                 inserter.insert(which, line, true); // 2006-02: standard insurance
                         inserter.flush();
                         EXPECT_GT(rowCount(db, QStringLiteral("bord50")), before);
                         EXPECT_GT(supersededRows(db), 0); // the same persons a month later
                     }});
    t.push_back(
        {QStringLiteral("import statement file"),
         {},
         0,
         [&catalogue, path = context.laterStatement](Connection& db) {
             test::ScriptedPrompts prompts;
             SilentImportView view;
             ImportRun run(db, catalogue, prompts, view, ApplicationDbVersion, QFileInfo(path).path());
             const int lines = int(splitStatementLines(readStatementBytes(path)).size());
             const int before = rowCount(db, QStringLiteral("bord99"));
             bool postProcess = false;
             EXPECT_EQ(run.importStatementFile(path, lines, postProcess, true), ImportRun::Outcome::Imported);
             EXPECT_TRUE(postProcess);
             EXPECT_EQ(supersededRows(db), 0);
             EXPECT_EQ(rowCount(db, QStringLiteral("bord99")), before + 1);
             EXPECT_EQ(run.importStatementFile(path, lines, postProcess, true),
                       ImportRun::Outcome::AlreadyImported);
             EXPECT_EQ(rowCount(db, QStringLiteral("bord99")), before + 1);
             EXPECT_EQ(prompts.messages.size(), 1u); // the refusal
         }});
    t.push_back({QStringLiteral("clean-up lists"), {}, 0, [](Connection& db) {
                     Cleanup cleanup(db);
                     EXPECT_GT(cleanup.collectivities().size(), 1u);
                     EXPECT_GT(cleanup.periods().size(), 1);
                 }});
    {
        CleanupSelection month;
        month.month = QStringLiteral("2006-01");
        month.collectivity = {12, 1};
        CleanupSelection range = month;
        range.period = CleanupSelection::Period::Range;
        range.from = QStringLiteral("2005-12");
        range.to = QStringLiteral("2006-01");
        range.premiumsOnly = true;
        CleanupSelection all;
        all.period = CleanupSelection::Period::All;
        for (const auto& [name, selection] : {std::pair{QStringLiteral("month"), month},
                                              {QStringLiteral("range premiums"), range},
                                              {QStringLiteral("all"), all}})
            t.push_back({QStringLiteral("clean-up ") + name, {}, 0, [selection = selection](Connection& db) {
                             Cleanup(db).execute(selection);
                         }});
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
    if (n == QStringLiteral("after")) return QStringLiteral("");
    if (n == QStringLiteral("maand") || n == QStringLiteral("van") || n == QStringLiteral("tot"))
        return QStringLiteral("2006-01");
    if (n == QStringLiteral("volgnr")) return 1;
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

    SampleOptions later = options;
    later.collectivities = 1;
    later.periods = {QStringLiteral("2006-02")};
    later.zip = false;
    const QStringList laterFiles =
        SampleGenerator(catalogue, later).writeAll(dir.filePath(QStringLiteral("later")));
    ASSERT_EQ(laterFiles.size(), 1);

    auto db = dir.connect();
    for (const Entry& e : sqlTexts({catalogue, dir, laterFiles.front()})) {
        SCOPED_TRACE(e.name.toStdString());
        if (e.run) {
            // These keep their own transaction; the ones that delete come last.
            try {
                e.run(*db);
            } catch (const DatabaseError& error) {
                ADD_FAILURE() << error.message().toStdString();
            }
            continue;
        }
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
