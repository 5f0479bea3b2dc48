// The collectivity window's queries and state, without widgets.
#include "collectivity/StatementState.h"
#include "CollectivityFixture.h"
#include "OracleQueries.h"
#include "collectivity/ComparisonChoice.h"
#include "collectivity/InvoiceMonths.h"
#include "collectivity/PeriodChoice.h"

using namespace ostrapel;

namespace {

class StatementStateFixture : public test::CollectivityFixture {
protected:
    std::unique_ptr<StatementState> open(InsuranceType type = InsuranceType::Standard) {
        auto s = std::make_unique<StatementState>(*db, catalogue);
        s->setIdentity({12, 1}, type);
        s->initialise();
        return s;
    }
    static QStringList column(DataSet& ds, const QString& field) {
        QStringList out;
        for (int r = 0; r < ds.recordCount(); ++r)
            out << ds.value(r, ds.fieldIndex(field)).toString();
        return out;
    }
};

} // namespace

TEST_F(StatementStateFixture, PersonsQueryLinesInEachState) {
    auto s = open();
    QStringList lines = s->personsQuery().lines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_TRUE(lines[0].startsWith(
        QStringLiteral("SELECT distinct bord10.[ID04], bord10.[ID05], bord10.[ID07], bord10.[1002]")));
    EXPECT_EQ(lines[2],
              QStringLiteral("WHERE bord10.[ID01] = 12 AND bord10.[ID02] = 1 AND bord10.[1024] in (' ')"));
    for (int i : {3, 4, 5, 6})
        EXPECT_EQ(lines[i], QStringLiteral("AND 1=1"));
    EXPECT_EQ(lines[7], QStringLiteral("ORDER BY [1002]"));
    EXPECT_EQ(s->persons().recordCount(), 24);
    EXPECT_EQ(s->recordCountText(), QStringLiteral("24 records "));
    EXPECT_EQ(
        open(InsuranceType::SicknessFundOrPrivate)->personsQuery().whereLine(),
        QStringLiteral("WHERE bord10.[ID01] = 12 AND bord10.[ID02] = 1 AND bord10.[1024] in ('Z', 'P')"));

    s->personsSide().sortField = QStringLiteral("1004");
    s->search(QStringLiteral("DE"));
    EXPECT_EQ(s->personsQuery().lines()[3], QStringLiteral("AND BORD10.[1004] like 'DE%'"));
    for (int r = 0; r < s->persons().recordCount(); ++r)
        EXPECT_TRUE(s->persons()
                        .value(r, s->persons().fieldIndex(QStringLiteral("1004")))
                        .toString()
                        .startsWith(QStringLiteral("de")));

    s->personsSide().sortField = QStringLiteral("1002");
    s->search(QStringLiteral("O'B\"X"));
    EXPECT_EQ(s->personsQuery().lines()[3], QStringLiteral("AND BORD10.[1002] like 'O''B\"X%'"));
    EXPECT_EQ(s->persons().recordCount(), 0); // valid SQL, no match
    s->setCompoundSurname(true);
    s->search(QStringLiteral("VRIES"));
    EXPECT_EQ(s->personsQuery().lines()[3],
              QStringLiteral("AND ([1002] like \"VRIES%\" OR  [1020] like \"VRIES%\")"));
    EXPECT_TRUE(s->personsQuery().lines()[0].contains(QStringLiteral(
        "iif(BORD10.[1022] = 'J', BORD10.[1020] + ' - ' + BORD10.[1002], BORD10.[1002]) as [1002]")));

    s->search(QString()); // Enter in an empty box: the whole list again
    EXPECT_EQ(s->personsQuery().lines()[3], QStringLiteral("AND 1=1"));
    EXPECT_EQ(s->persons().recordCount(), 24);

    EXPECT_EQ(s->verzekerdenLabel(), QStringLiteral(" Verzekerden"));
    s->applyFilterClause(QStringLiteral(" AND bord10.[1007] = 'H'"));
    EXPECT_EQ(s->verzekerdenLabel(), QStringLiteral(" Verzekerden (filter actief)"));
    EXPECT_LT(s->persons().recordCount(), 24);
}

TEST_F(StatementStateFixture, CompoundSurnamesShowThePartnerName) {
    auto s = open();
    s->toggleCompoundSurname();
    const QStringList names = column(s->persons(), QStringLiteral("1002"));
    EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                            [](const QString& n) { return n.contains(QStringLiteral(" - ")); }));
}

TEST_F(StatementStateFixture, TitleClicksSortByTheSortMap) {
    auto s = open();
    EXPECT_EQ(s->persons().sortFields(), QStringLiteral("1002, 1003, 1004"));
    EXPECT_FALSE(s->sortPersonsBy(QStringLiteral("1002"))); // sorted on it already
    s->persons().setRecNo(5);
    const QString person = s->persons().value(QStringLiteral("ID07")).toString();
    EXPECT_TRUE(s->sortPersonsBy(QStringLiteral("ID04")));
    EXPECT_EQ(s->persons().sortFields(), QStringLiteral("ID04, 1002, 1003, 1004"));
    EXPECT_EQ(s->persons().value(QStringLiteral("ID07")).toString(),
              person); // the same person stays selected
    EXPECT_EQ(s->personsSide().sortField, QStringLiteral("ID04"));
    EXPECT_TRUE(s->sortPersonsBy(QStringLiteral("1017")));
    EXPECT_EQ(s->persons().sortFields(), QStringLiteral("1017"));
    EXPECT_EQ(ComponentsQuery::sortFieldsFor(QStringLiteral("ID03")), QStringLiteral("ID03, 5003, 5004"));
    EXPECT_EQ(ComponentsQuery::sortFieldsFor(QStringLiteral("5005")), QStringLiteral("5005, ID03"));
    EXPECT_EQ(ComponentsQuery::sortFieldsFor(QStringLiteral("5012")), QStringLiteral("5012, ID03"));
    EXPECT_EQ(ComponentsQuery::sortFieldsFor(QStringLiteral("5008")), QStringLiteral("5008"));
}

TEST_F(StatementStateFixture, UnitViewKeepsSearchAndFilterForLater) {
    auto s = open();
    // a unit with more than one member
    DataSet& p = s->persons();
    int row = 0;
    for (; row < p.recordCount(); ++row) {
        const QString unit = p.value(row, p.fieldIndex(QStringLiteral("ID05"))).toString();
        if (column(p, QStringLiteral("ID05")).count(unit) > 1 &&
            p.value(row, p.fieldIndex(QStringLiteral("ID07"))).toString() != unit)
            break;
    }
    ASSERT_LT(row, p.recordCount());
    p.setRecNo(row);
    const QString person = p.value(QStringLiteral("ID07")).toString();
    const QString unit = p.value(QStringLiteral("ID05")).toString();
    s->toggleUnitView();
    EXPECT_EQ(s->unitFooterText(), QStringLiteral("Verz. eenheid AAN"));
    EXPECT_EQ(s->personsQuery().lines()[4], QStringLiteral("AND bord10.[ID05]='") + unit + u'\'');
    EXPECT_EQ(s->persons().value(QStringLiteral("ID07")).toString(), person);
    const int members = s->persons().recordCount();
    EXPECT_EQ(column(s->persons(), QStringLiteral("ID05")).count(unit), members);

    s->search(QStringLiteral("ZZZ")); // changes the stored clause, not the list
    EXPECT_EQ(s->persons().recordCount(), members);
    s->toggleUnitView();
    EXPECT_EQ(s->unitFooterText(), QStringLiteral("Verz. eenheid UIT"));
    EXPECT_EQ(s->persons().recordCount(), 0); // the search applies again
}

TEST_F(StatementStateFixture, ComponentsFollowThePersonInBothModes) {
    auto s = open();
    s->setComponentsShown(true);
    DataSet& p = s->persons();
    ASSERT_TRUE(p.locate(QStringLiteral("ID07"), p.value(0, p.fieldIndex(QStringLiteral("ID05")))));
    s->followCursor();
    const QString person = p.value(QStringLiteral("ID07")).toString();
    ASSERT_GT(s->components().recordCount(), 0);
    EXPECT_EQ(column(s->components(), QStringLiteral("ID07")).count(person), 0); // ID07 is not in the list
    const double own = s->total();
    const double expected =
        db->scalar(QStringLiteral("select sum([5008]) from bord50 where ID01 = 12 and ID07 = :k"),
                   {{QStringLiteral("k"), person}})
            .toDouble();
    EXPECT_NEAR(own, expected, 0.001);
    EXPECT_EQ(s->componentsQuery().lines()[3],
              QStringLiteral("AND bord50.ID07 = :ID07 AND bord50.ID01=12 AND bord50.ID02=1"));

    s->setMode(ComponentsQuery::Mode::Joint); // the main insured: the whole unit
    EXPECT_EQ(s->componentsQuery().lines()[3],
              QStringLiteral("AND bord50.ID05 = :ID05 AND bord50.ID01=12 AND bord50.ID02=1"));
    const double unitTotal =
        db->scalar(QStringLiteral("select sum([5008]) from bord50 where ID01 = 12 and ID05 = :k"),
                   {{QStringLiteral("k"), person}})
            .toDouble();
    EXPECT_NEAR(s->total(), unitTotal, 0.001);

    // a co-insured person of the unit shows the same: the unit's components
    const int unitRows = s->components().recordCount();
    const QVariant unit = p.value(QStringLiteral("ID05"));
    bool coInsured = false;
    for (int r = 0; r < p.recordCount() && !coInsured; ++r)
        if (p.value(r, p.fieldIndex(QStringLiteral("ID05"))) == unit &&
            p.value(r, p.fieldIndex(QStringLiteral("ID07"))) != unit) {
            p.setRecNo(r);
            coInsured = true;
        }
    ASSERT_TRUE(coInsured);
    s->followCursor();
    EXPECT_EQ(s->components().recordCount(), unitRows);
    EXPECT_NEAR(s->total(), unitTotal, 0.001);
}

TEST_F(StatementStateFixture, DropDownsAndFooterText) {
    auto s = open();
    s->setComponentsShown(true);
    const DropDownFilter& herkomst = s->dropDown(ComponentsQuery::Herkomst);
    EXPECT_EQ(herkomst.entries(), (QStringList{QStringLiteral("<ALLES>"), QStringLiteral("PROL"),
                                               QStringLiteral("MUT"), QStringLiteral("HAND")}));
    const DropDownFilter& soort = s->dropDown(ComponentsQuery::Soort);
    EXPECT_EQ(soort.entries().first(), QStringLiteral("<ALLES>"));
    EXPECT_TRUE(soort.entries().contains(QStringLiteral("BP")));
    EXPECT_EQ(s->componentsFooterText(), QStringLiteral("Individueel/"));

    const int runs = s->componentRuns();
    EXPECT_TRUE(s->chooseDropDown(ComponentsQuery::Herkomst, 2));
    EXPECT_EQ(s->componentsQuery().filterClause(ComponentsQuery::Herkomst),
              QStringLiteral("AND bord50.[5002] = '2'"));
    EXPECT_EQ(s->componentRuns(), runs + 1);
    EXPECT_FALSE(s->chooseDropDown(ComponentsQuery::Herkomst, 2)); // checked already: no re-query
    EXPECT_EQ(s->componentRuns(), runs + 1);
    s->setMode(ComponentsQuery::Mode::Joint);
    EXPECT_EQ(s->componentsFooterText(), QStringLiteral("Gezamenlijk/Herkomst = MUT/"));
    s->chooseDropDown(ComponentsQuery::Herkomst, 0);
    EXPECT_EQ(s->componentsQuery().filterClause(ComponentsQuery::Herkomst), QStringLiteral("AND 1=1"));
    EXPECT_EQ(s->componentsFooterText(), QStringLiteral("Gezamenlijk/"));

    s->setMode(ComponentsQuery::Mode::Individual);
    s->chooseDropDown(ComponentsQuery::Soort, int(soort.entries().indexOf(QStringLiteral("BP"))));
    const DropDownFilter& comp = s->dropDown(ComponentsQuery::Component);
    s->chooseDropDown(ComponentsQuery::Component, 1);
    EXPECT_EQ(s->componentsFooterText(),
              QStringLiteral("Individueel/Soort = BP/component = ") + comp.entries()[1]);

    s->setStoredDropDownText(ComponentsQuery::Herkomst, QStringLiteral("hand"));
    EXPECT_EQ(herkomst.checkedText(), QStringLiteral("HAND"));
    s->setStoredDropDownText(ComponentsQuery::Herkomst, QStringLiteral("bestaat niet"));
    EXPECT_EQ(herkomst.checkedText(), QStringLiteral("HAND"));
}

TEST_F(StatementStateFixture, PeriodChangeKeepsThePersonAndSkipsAnUnchangedSetting) {
    auto s = open();
    s->setComponentsShown(true);
    s->persons().setRecNo(3);
    const QString person = s->persons().value(QStringLiteral("ID07")).toString();
    EXPECT_EQ(s->periodDescription(), QStringLiteral("Geen periode ingesteld"));
    const int before = s->componentRuns();
    EXPECT_TRUE(s->changePeriod(QStringLiteral("2006-02;2006-02")));
    EXPECT_EQ(s->componentRuns(), before + 1); // run once, with the new period
    s->setMode(ComponentsQuery::Mode::Joint);
    EXPECT_EQ(s->componentRuns(), before + 2);
    s->setMode(ComponentsQuery::Mode::Individual);
    EXPECT_EQ(s->periodDescription(), QStringLiteral("Maand 2006-02"));
    EXPECT_EQ(s->persons().value(QStringLiteral("ID07")).toString(), person);
    EXPECT_EQ(s->componentsQuery().lines()[4], QStringLiteral("AND BORD50.[ID03] = '2006-02'"));
    for (const QString& m : column(s->components(), QStringLiteral("ID03")))
        EXPECT_EQ(m, QStringLiteral("2006-02"));
    const int runs = s->componentRuns();
    EXPECT_FALSE(s->changePeriod(QStringLiteral("2006-02;2006-02")));
    EXPECT_EQ(s->componentRuns(), runs);
}

TEST_F(StatementStateFixture, AStoredPeriodThatIsNoPeriodIsDropped) {
    auto s = std::make_unique<StatementState>(*db, catalogue);
    s->setIdentity({12, 1}, InsuranceType::Standard);
    s->setPeriodSetting(QStringLiteral("2006-01' or ''='")); // as a hand-edited settings file may hold
    s->initialise();
    EXPECT_EQ(s->periodSetting(), QString()); // not written back either
    EXPECT_EQ(s->periodDescription(), QStringLiteral("Geen periode ingesteld"));
    EXPECT_EQ(s->persons().recordCount(), persons);
}

TEST(PeriodChoiceTest, PreselectionAndOkRules) {
    const QStringList months = {QStringLiteral("2006-01"), QStringLiteral("2006-02"),
                                QStringLiteral("2006-03"), QStringLiteral("2006-05")};
    struct Case {
        const char* setting;
        PeriodChoice::Choice choice;
        const char* month;
        const char* from;
        const char* to;
    } cases[] = {{"", PeriodChoice::Choice::Alles, "", "", ""},
                 {"2006-03;2006-03", PeriodChoice::Choice::Maand, "2006-03", "", ""},
                 {"2006-01;2006-03", PeriodChoice::Choice::PeriodeVan, "", "2006-01", "2006-03"},
                 {"2006-02", PeriodChoice::Choice::PeriodeVan, "", "2006-02", ""},
                 {"2004-01;2004-01", PeriodChoice::Choice::Maand, "", "", ""}};
    for (const Case& c : cases) {
        PeriodChoice p(months, QString::fromLatin1(c.setting));
        EXPECT_EQ(p.choice, c.choice) << c.setting;
        EXPECT_EQ(p.month, QString::fromLatin1(c.month)) << c.setting;
        EXPECT_EQ(p.from, QString::fromLatin1(c.from)) << c.setting;
        EXPECT_EQ(p.to, QString::fromLatin1(c.to)) << c.setting;
    }
    PeriodChoice p(months, QString());
    p.choice = PeriodChoice::Choice::PeriodeVan;
    p.from = QStringLiteral("2006-05");
    p.to = QStringLiteral("2006-02");
    EXPECT_FALSE(p.okEnabled());
    p.to.clear();
    EXPECT_TRUE(p.okEnabled());
    EXPECT_EQ(p.result(), QStringLiteral("2006-05"));
    p.choice = PeriodChoice::Choice::Maand;
    EXPECT_FALSE(p.okEnabled());
    p.month = QStringLiteral("2006-02");
    EXPECT_EQ(p.result(), QStringLiteral("2006-02;2006-02"));
    p.choice = PeriodChoice::Choice::Alles;
    EXPECT_TRUE(p.okEnabled());
    EXPECT_EQ(p.result(), QString());
    EXPECT_EQ(PeriodChoice({}, QString()).months(), QStringList{QString()});
}

TEST_F(StatementStateFixture, MonthsPerInsuranceType) {
    QStringList type1 = PeriodChoice::months(*db, {12, 1}, InsuranceType::SicknessFundOrPrivate);
    type1.sort();
    EXPECT_EQ(type1, (QStringList{QStringLiteral("2005-11"), QStringLiteral("2005-12")}));
    EXPECT_EQ(ComparisonChoice::months(*db, {12, 1}, InsuranceType::SicknessFundOrPrivate),
              (QStringList{QStringLiteral("2005-11"), QStringLiteral("2005-12")}));
    ComparisonChoice c(ComparisonChoice::months(*db, {12, 1}, InsuranceType::Standard));
    EXPECT_EQ(c.months(), (QStringList{QStringLiteral("2006-01"), QStringLiteral("2006-02")}));
    EXPECT_EQ(c.to, QStringLiteral("2006-02"));
    c.from = QStringLiteral("2006-02");
    EXPECT_FALSE(c.okEnabled()); // the same month twice
    c.from = QStringLiteral("2006-01");
    EXPECT_TRUE(c.okEnabled());
}

// The month menus and drop-downs read their values an index step at a time;
// they list what the distinct queries over every component list.
TEST_F(StatementStateFixture, ValueListsMatchTheDistinctQueries) {
    const char* insert = "insert into bord50 (ID01, ID02, ID03, ID05, ID07, [5003], [5012]) values "
                         "(12, 1, :m, :u, :k, :s, :c)";
    struct Extra {
        const char *month, *unit, *kind, *component;
    } extras[] = {{"2007-01", "0099999999", "XP", "Los"}, // a person the list does not hold
                  {"2006-02", nullptr, "", "aanvullend 1"},
                  {"2006-02", nullptr, "bp", ""}};
    const QString someone =
        db->scalar(QStringLiteral("select min(ID07) from bord10 where ID01 = 12")).toString();
    const QString unit = db->scalar(QStringLiteral("select ID05 from bord10 where ID07 = :k"),
                                    {{QStringLiteral("k"), someone}})
                             .toString();
    for (const Extra& e : extras)
        db->execute(QString::fromLatin1(insert),
                    {{QStringLiteral("m"), QString::fromLatin1(e.month)},
                     {QStringLiteral("u"), e.unit ? QString::fromLatin1(e.unit) : unit},
                     {QStringLiteral("k"), e.unit ? QString::fromLatin1(e.unit) : someone},
                     {QStringLiteral("s"), QString::fromLatin1(e.kind)},
                     {QStringLiteral("c"), QString::fromLatin1(e.component)}});
    auto listed = [this](const QString& sql, const QString& nr, const QString& sequenceNumber) {
        QStringList out;
        DataSet rows = db->query(sql, {{nr, 12}, {sequenceNumber, 1}});
        for (rows.first(); !rows.eof(); rows.next())
            out << rows.value(QStringLiteral("WAARDE")).toString();
        return out;
    };
    for (const InsuranceType type : {InsuranceType::SicknessFundOrPrivate, InsuranceType::Standard}) {
        const QStringList months = invoiceMonths(*db, {12, 1}, type);
        EXPECT_FALSE(months.isEmpty());
        EXPECT_FALSE(months.contains(QStringLiteral("2007-01")));
        EXPECT_EQ(months, listed(test::invoiceMonthsQuery(type), QStringLiteral("CollNr"),
                                 QStringLiteral("CollVolgNr")))
            << toStored(type);
    }
    for (const char* field : {"5003", "5012"}) {
        DropDownFilter filter;
        filter.build(*db, catalogue, QString::fromLatin1(field), {12, 1});
        EXPECT_EQ(filter.entries().mid(1), listed(test::distinctValuesQuery(QString::fromLatin1(field)),
                                                  QStringLiteral("ID01"), QStringLiteral("ID02")))
            << field;
    }
}

TEST_F(StatementStateFixture, SearchFoldsEveryLetterAndTakesWildcardsAsTyped) {
    db->execute(
        QStringLiteral("update bord10 set [1002] = 'Müller' where ID07 = (select min(ID07) from bord10 "
                       "where ID01 = 12 and ID02 = 1 and [1024] = ' ')"));
    auto s = open();
    s->personsSide().sortField = QStringLiteral("1002");
    s->search(QStringLiteral("MÜ")); // the box gives upper case
    EXPECT_EQ(column(s->persons(), QStringLiteral("1002")), QStringList{QStringLiteral("Müller")});
    for (const char* wildcard : {"%", "_", "_E", "\\"}) {
        s->search(QLatin1String(wildcard));
        EXPECT_EQ(s->persons().recordCount(), 0) << wildcard;
    }
    s->setCompoundSurname(true);
    s->search(QStringLiteral("%"));
    EXPECT_EQ(s->personsQuery().lines()[3],
              QStringLiteral("AND ([1002] like \"\\%%\" escape '\\' OR  [1020] like \"\\%%\" escape '\\')"));
    EXPECT_EQ(s->persons().recordCount(), 0);
}
