// The program's Jet SQL run against the delivered schema: each case executes
// the statement and checks the rows, not only the rewritten text.
#include "core/JetDialect.h"
#include "TestProgramDir.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/ParameterValues.h"
#include "core/SingleCondition.h"
#include "core/SqlTokenizer.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

class JetSql : public ::testing::Test {
protected:
    void SetUp() override {
        db->execute(QStringLiteral("insert into bord00 (ID01, ID02, ID03, [0003], [0018]) values (12, 1, "
                                   "'2006-01', 'Test BV', 'EUR')"));
        person(QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("Vries"), QStringLiteral("Dam"),
               QStringLiteral("J"), QStringLiteral("2006-01"));
        person(QStringLiteral("P2"), QStringLiteral("P1"), QStringLiteral("Jansen"), QStringLiteral("Dam"),
               QStringLiteral("N"), QStringLiteral("2006-01"));
    }

    void person(const QString& id07, const QString& id05, const QString& name, const QString& partner,
                const QString& compound, const QString& period) {
        db->execute(QStringLiteral("insert into bord10 (ID01, ID02, ID03, ID04, ID05, ID07, [1002], [1003], "
                                   "[1020], [1022], [1024]) "
                                   "values (12, 1, :p, 'W1', :u, :k, :n, 'A.', :partner, :c, ' ')"),
                    {{QStringLiteral("p"), period},
                     {QStringLiteral("u"), id05},
                     {QStringLiteral("k"), id07},
                     {QStringLiteral("n"), name},
                     {QStringLiteral("partner"), partner},
                     {QStringLiteral("c"), compound}});
    }

    void component(const QString& period, const QString& person, const QString& unit, const QString& origin,
                   const QString& code, double amount, const QString& from = QStringLiteral("2006-01-01")) {
        db->execute(
            QStringLiteral(
                "insert into bord50 (ID01, ID02, ID03, ID05, ID07, [5002], [5003], [5004], [5005], [5006], "
                "[5008], [5009], [5010], [5012]) "
                "values (12, 1, :p, :u, :k, :o, 'PR', :c, 'T1', '030', :a, :f, '2006-12-31', 'Basis')"),
            {{QStringLiteral("p"), period},
             {QStringLiteral("u"), unit},
             {QStringLiteral("k"), person},
             {QStringLiteral("o"), origin},
             {QStringLiteral("c"), code},
             {QStringLiteral("a"), amount},
             {QStringLiteral("f"), from}});
    }

    static QStringList column(DataSet& ds, const QString& field) {
        QStringList out;
        for (ds.first(); !ds.eof(); ds.next())
            out << ds.value(field).toString();
        return out;
    }

    test::TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
};

// Lines joined as the reports build them.
QString lines(std::initializer_list<const char*> parts) {
    QStringList l;
    for (const char* p : parts)
        l << QString::fromUtf8(p);
    return l.join(QStringLiteral("\r\n"));
}

} // namespace

TEST_F(JetSql, CompoundSurnameConcatenatesTexts) {
    DataSet ds =
        db->query(QStringLiteral("select iif(BORD10.[1022] = 'J', BORD10.[1020] + ' - ' + BORD10.[1002], "
                                 "BORD10.[1002]) as [1002] from bord10 order by ID07"));
    EXPECT_EQ(column(ds, QStringLiteral("1002")),
              (QStringList{QStringLiteral("Dam - Vries"), QStringLiteral("Jansen")}));
}

TEST_F(JetSql, FilterFieldListFindsKeyFieldsWhateverTheCase) {
    DataSet ds =
        db->query(QStringLiteral("select  'ID' + f.veldnr as VELDREAL, r.Display as VELDDISPLAY\nfrom "
                                 "fielddisplay f, recstruct r\nwhere f.veldnr = r.veldnr\n"
                                 "and r.soort = 'id'\nand f.soort = '10'\nand f.tonen = 'J'\nunion "
                                 "all\nSELECT SOORT + VELDNR as VELDREAL, DISPLAY as VELDDISPLAY\n"
                                 "FROM RECSTRUCT\nWHERE SOORT='10'\nAND Tonen='J'\nORDER BY VELDDISPLAY"));
    const QStringList real = column(ds, QStringLiteral("VELDREAL"));
    EXPECT_EQ(real.size(), 11);
    EXPECT_TRUE(real.contains(QStringLiteral("ID05")));
    EXPECT_TRUE(real.contains(QStringLiteral("1024")));
    EXPECT_FALSE(real.contains(QStringLiteral("1002"))); // "+" fields are not "J"
    const QStringList display = column(ds, QStringLiteral("VELDDISPLAY"));
    QStringList sorted = display;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(display, sorted);
}

TEST_F(JetSql, CollectionQueryReusesSelectAliases) {
    component(QStringLiteral("2006-01"), QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"),
              QStringLiteral("C1"), 100.0);
    component(QStringLiteral("2006-01"), QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("2"),
              QStringLiteral("C1"), -10.0);
    component(QStringLiteral("2006-01"), QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("3"),
              QStringLiteral("C1"), 2.5);
    const QString sql = lines({
        "select a.*, c.[5004], c.[5012], c.[5009], c.[5010], c.TotaalPremie, c.TotaalCorrectie, c.Totaal",
        "from bord10 a,",
        "(",
        "\tselect id01, id02, id03, id05, [5004], [5012], [5009], [5010], sum(premie) as TotaalPremie, "
        "sum(correctie) as TotaalCorrectie, TotaalPremie + TotaalCorrectie as Totaal",
        "\tfrom",
        "\t(",
        "\t\tselect id01, id02, id03, id05, [5004], [5012], [5009], [5010], sum([5008]) as Premie, 0 as "
        "Correctie",
        "\t\tfrom bord50",
        "\t\twhere [5002]  = '1' ",
        "\t\tgroup by id01, id02, id03, id05, [5004], [5012], [5009], [5010]",
        "\tunion all",
        "\t\tselect id01, id02, id03, id05, [5004], [5012], [5009], [5010], 0 as Premie, sum([5008]) as "
        "Correctie",
        "\t\tfrom bord50",
        "\t\twhere ([5002]  = '2' or [5002] = '3') ",
        "\t\tgroup by id01, id02, id03, id05, [5004], [5012], [5009], [5010]",
        "\t)",
        "\twhere id01 = :CollNr1 and id02 = :CollVolgNr1 and id03 = :Periode1",
        "\tgroup by id01, id02, id03, id05, [5004], [5012], [5009], [5010]",
        ") c",
        "where a.id07 = c.id05 and a.id01 = :CollNr2 and a.id02 = :CollVolgNr2 and a.id03 <= :Periode2",
        "order by a.[1002], a.[1003]",
    });
    DataSet ds = db->query(sql, {{QStringLiteral("CollNr1"), 12},
                                 {QStringLiteral("CollVolgNr1"), 1},
                                 {QStringLiteral("Periode1"), QStringLiteral("2006-01")},
                                 {QStringLiteral("CollNr2"), 12},
                                 {QStringLiteral("CollVolgNr2"), 1},
                                 {QStringLiteral("Periode2"), QStringLiteral("2006-01")}});
    ASSERT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds.value(QStringLiteral("1002")).toString(), QStringLiteral("Vries"));
    EXPECT_DOUBLE_EQ(ds.value(QStringLiteral("TotaalPremie")).toDouble(), 100.0);
    EXPECT_DOUBLE_EQ(ds.value(QStringLiteral("TotaalCorrectie")).toDouble(), -7.5);
    EXPECT_DOUBLE_EQ(ds.value(QStringLiteral("Totaal")).toDouble(), 92.5);
}

TEST_F(JetSql, DifferencesQueryWithDigitAliasesAndCommaLiteral) {
    const QString A = QStringLiteral("2006-01"), B = QStringLiteral("2007-01");
    person(QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("Vries"), QStringLiteral("Dam"),
           QStringLiteral("J"), B);
    component(A, QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"), QStringLiteral("C1"), 10.0);
    component(B, QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"), QStringLiteral("C1"), 12.5);
    component(A, QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"), QStringLiteral("C2"), 5.0);
    component(B, QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"), QStringLiteral("C3"), 7.0);
    component(B, QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("2"), QStringLiteral("C4"), 3.0);
    const QString N = QStringLiteral("12"), V = QStringLiteral("1"), X = QStringLiteral("[5012]");
    const QString P = QStringLiteral(" and c.[ID03] >= '2006-01' "),
                  T = QStringLiteral(" and c.[1024] = ' ' ");
    const QString line2 = "a.[5005], a.[5006], a." + X + ", '" + A +
                          "' as 5009a, '' as 5010a, a.[5008] as Premie1, '" + B + "' as 5009b,";
    QStringList q = {
        "select a.[ID03], a.[ID04], a.[ID05], c.[1002], c.[1003], c.[1004], c.[1020], c.[1021], c.[1022], "
        "a.[ID07], a.[5003], a.[5004],",
        line2,
        " '' as 5010b, b.[5008] as Premie2, b.[5008] - a.[5008] as Verschil, a.[5012]",
        "from bord50 a, bord50 b, bord10 c",
        "where a.[ID07] = c.[ID07]",
        "and a.[5008] <> b.[5008]",
        "and a.[5002] = '1'",
        "and b.[5002] = '1'",
        "and a.[ID07] = b.[ID07]",
        "and a.[5004] = b.[5004]",
        "and a.[ID03] = '" + A + "'",
        "and b.[ID03] = '" + B + "'",
        "and a.[ID01] = " + N,
        "and a.[ID02] = " + V,
        "and b.[ID01] = " + N,
        "and b.[ID02] = " + V,
        P + P + T,
        "union select distinct a.[ID03], a.[ID04], a.[ID05], c.[1002], c.[1003], c.[1004], c.[1020], "
        "c.[1021], c.[1022], a.[ID07], a.[5003], a.[5004],",
        line2,
        " '' as 5010b, '0,00' as Premie2, '0,00' - a.[5008] as Verschil, a.[5012]",
        "from bord50 a, bord10 c",
        "where a.[ID07] = c.[ID07]",
        "and a.[5002] = '1'",
        "and a.[ID03] = '" + A + "'",
        "and a.[ID01] = " + N,
        "and a.[ID02] = " + V,
        "and a.[5004] not in",
        "(select [5004] from bord50 where [ID03]= '" + B +
            "' and [ID07]= a.[ID07] and [5002]='1' and [ID01]=" + N + " and [ID02]=" + V + ")",
        P + T,
        "union select distinct b.[ID03], b.[ID04], b.[ID05], c.[1002], c.[1003], c.[1004], c.[1020], "
        "c.[1021], c.[1022], b.[ID07], b.[5003], b.[5004],",
        "b.[5005], b.[5006], b." + X + ", '" + A + "' as 5009a, '' as 5010a, '0,00' as Premie1, '" + B +
            "' as 5009b,",
        " '' as 5010b, b.[5008] as Premie2, b.[5008] as Verschil, b.[5012]",
        "from bord50 b, bord10 c",
        "where b.[ID07] = c.[ID07]",
        "and b.[5002] = '1'",
        "and b.[ID03] = '" + B + "'",
        "and b.[ID01] = " + N,
        "and b.[ID02] = " + V,
        "and b.[5004] not in ",
        "(select [5004] from bord50 where [ID03]= '" + A +
            "' and [ID07]= b.[ID07] and [5002]='1' and [ID01]=" + N + " and [ID02]=" + V + ")",
        P + T,
    };
    DataSet ds = db->query(q.join(QStringLiteral("\r\n")));
    QMap<QString, double> verschil;
    for (ds.first(); !ds.eof(); ds.next()) {
        EXPECT_EQ(ds.value(QStringLiteral("5009a")).toString(), A);
        EXPECT_EQ(ds.value(QStringLiteral("5009b")).toString(), B);
        verschil[ds.value(QStringLiteral("5004")).toString()] =
            ds.value(QStringLiteral("Verschil")).toDouble();
    }
    // a person with two records gives each row once per distinct name record
    EXPECT_EQ(verschil.keys(),
              (QStringList{QStringLiteral("C1"), QStringLiteral("C2"), QStringLiteral("C3")}));
    EXPECT_DOUBLE_EQ(verschil[QStringLiteral("C1")], 2.5);
    EXPECT_DOUBLE_EQ(verschil[QStringLiteral("C2")], -5.0);
    EXPECT_DOUBLE_EQ(verschil[QStringLiteral("C3")], 7.0);
}

TEST_F(JetSql, DateLiteralComparesWithDateColumn) {
    component(QStringLiteral("2006-01"), QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"),
              QStringLiteral("C1"), 1, QStringLiteral("2004-06-01"));
    component(QStringLiteral("2006-01"), QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"),
              QStringLiteral("C2"), 1, QStringLiteral("2004-12-31"));
    component(QStringLiteral("2006-01"), QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"),
              QStringLiteral("C3"), 1, QStringLiteral("2005-01-01"));
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from bord50 where [5009] <#12-31-2004#")).toInt(),
              1);
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from bord50 where [5009] <= #12-31-2004#")).toInt(),
              2);
}

TEST_F(JetSql, DeleteStarRemovesOnlyThatFiltersCriteria) {
    for (int filter : {1, 2})
        for (int crit : {1, 2})
            db->execute(
                QStringLiteral(
                    "insert into FilterCrits (FilterId, FilterCritId, VeldReal) values (:f, :c, '1002')"),
                {{QStringLiteral("f"), filter}, {QStringLiteral("c"), crit}});
    EXPECT_EQ(db->execute(QStringLiteral("delete *\nfrom FilterCrits\nwhere FilterId = :FilterId"),
                          {{QStringLiteral("FilterId"), 1}}),
              2);
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from FilterCrits where FilterId = 2")).toInt(), 2);
}

TEST(JetDialect, RewritesOnlyWhatDiffers) {
    JetDialect d;
    d.setSchemaColumns({QStringLiteral("1002"), QStringLiteral("Soort")},
                       {QStringLiteral("1002"), QStringLiteral("Soort"), QStringLiteral("5008")});
    struct Case {
        const char* jet;
        const char* engine;
    } cases[] = {
        {"select [5008] + 1 from bord50", "select [5008] + 1 from bord50"},
        {"select [1002] + 'x', a.[1002] + b.[1002] from t",
         "select [1002] || 'x', a.[1002] || b.[1002] from t"},
        {"select 'a''+b' + [5008]", "select 'a''+b' || [5008]"},
        {"select x from t where d = #1-2-2004#", "select x from t where d = '2004-01-02'"},
        {"DELETE * FROM t", "DELETE FROM t"},
        {"delete \r\nfrom bord10 a \r\nwhere a.ID01 = 1", "delete \r\nfrom bord10 as a \r\nwhere a.ID01 = 1"},
        {"delete from t where x = :1001", "delete from t where x = ?"},
        {"select 1 as 5009a", "select 1 as \"5009a\""},
        {"select sum(a) as X, X * 2 as Y, Y + 1 as Z",
         "select sum(a) as X, (sum(a)) * 2 as Y, ((sum(a)) * 2) + 1 as Z"},
        {"select [5008] as Bedrag, t.Bedrag from t", "select [5008] as Bedrag, t.Bedrag from t"},
        {"select ucase(x) from t", "select upper(x) from t"},
        {"where ([1002] like \"DE%\" OR  [1020] like \"D'\"\"A%\")",
         "where ([1002] like 'DE%' OR  [1020] like 'D''\"A%')"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(d.translate(QString::fromUtf8(c.jet)).sql, QString::fromUtf8(c.engine)) << c.jet;

    const TranslatedSql t = d.translate(QStringLiteral("where a = :Id and b = ':no' and c = :id"));
    EXPECT_EQ(t.sql, QStringLiteral("where a = ? and b = ':no' and c = ?"));
    EXPECT_EQ(t.parameterNames, (QStringList{QStringLiteral("Id"), QStringLiteral("id")}));
}

TEST(JetDialect, PostgreSqlRewrites) {
    JetDialect d(DatabaseEngine::PostgreSql);
    d.setSchemaColumns({QStringLiteral("1002"), QStringLiteral("ID07"), QStringLiteral("FilterNaam")},
                       {QStringLiteral("1002"), QStringLiteral("ID07"), QStringLiteral("FilterNaam"),
                        QStringLiteral("ID01"), QStringLiteral("5008")});
    d.setSchemaTables({QStringLiteral("bord10"), QStringLiteral("Filters")},
                      {{QStringLiteral("bord10"), {QStringLiteral("ID03"), QStringLiteral("ID07")}}});
    struct Case {
        const char* jet;
        const char* engine;
    } cases[] = {
        // names as the schema spells them, aliases as written, functions untouched
        {"select id01, a.[5008] as Bedrag from BORD10 a order by bedrag",
         "select \"ID01\", a.\"5008\" as \"Bedrag\" from \"bord10\" a order by \"Bedrag\", \"ID01\", "
         "a.\"5008\""},
        {"insert into Filters (FilterNaam) values (:n)",
         "insert into \"Filters\" (\"FilterNaam\") values (?)"},
        {"select count(*) as 5009a from t", "select count(*) as \"5009a\" from t"},
        {"select c.Totaal from (select sum(x) as Totaal from t) c",
         "select c.\"Totaal\" from (select sum(x) as \"Totaal\" from t) c"},
        {"select iif(a = 1, 'J', iif(b, 2, 3)) from t",
         "select CASE WHEN a = 1 THEN 'J' ELSE CASE WHEN b THEN 2 ELSE 3 END END from t"},
        {"select * from (select x from t) where y = 1",
         "select * from (select x from t) AS \"subquery_1\" where y = 1"},
        {"select x from t where y in (select z from u)", "select x from t where y in (select z from u)"},
        {"select '0,00' - [5008], '12,5x' * 2 from t", "select 0 - \"5008\", 12 * 2 from t"},
        {"select round([5008] * 1.1, 2) from t", "select round(\"numeric\"(\"5008\" * 1.1), 2) from t"},
        {"select x from t where ID07 = 12 and ID01 = 12",
         "select x from t where \"ID07\" = '12' and \"ID01\" = 12"},
        {"select 'a' as p from t union select '0,00' as p from u",
         "select 'a' as \"p\" from t union select 0.00 as \"p\" from u ORDER BY 1"},
        {"select distinct ID01, [1002] from t order by ID01",
         "select distinct \"ID01\", \"1002\" from t order by \"ID01\", 1, 2"},
        {"select distinct BORD10.*, c.x from BORD10, c order by c.y",
         "select distinct \"bord10\".*, c.x, c.y AS \"ostrapel_sort_1\" from \"bord10\", c "
         "order by c.y, \"bord10\".\"ID07\", 1, 2, 3"},
        {"select a.*, c.x from bord10 a, c order by c.y",
         "select a.*, c.x from \"bord10\" a, c order by c.y, a.\"ID07\", c.x"},
        {"select distinct a.* from t a order by x",
         "select distinct a.*, x AS \"ostrapel_sort_1\" from t a order by x"},
        {"select distinct c.[ID01] from t c order by c.ID01",
         "select distinct c.\"ID01\" from t c order by c.\"ID01\", 1"},
        {"select distinct a.*, b.y as z from t a order by iif(a.k = 1, a.x, a.y) desc, z",
         "select distinct a.*, b.y as \"z\", CASE WHEN a.k = 1 THEN a.x ELSE a.y END AS \"ostrapel_sort_1\" "
         "from t a order by CASE WHEN a.k = 1 THEN a.x ELSE a.y END desc, \"z\""},
        {"select a.*, sum(x) as s, 'k', :p as q from t a group by y order by y",
         "select a.*, sum(x) as \"s\", 'k', ? as \"q\" from t a group by y order by y, sum(x)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(d.translate(QString::fromUtf8(c.jet)).sql, QString::fromUtf8(c.engine)) << c.jet;
}

TEST(JetDialect, AliasesThatDoubleEachOtherStopGrowingTheText) {
    // each alias uses the one before twice: inlined in full it would be 2^40 long
    QString jet = QStringLiteral("select 1 as a0");
    for (int k = 1; k <= 40; ++k)
        jet += QStringLiteral(", a%1 & a%1 as a%2").arg(k - 1).arg(k);
    const QString sql = JetDialect().translate(jet).sql;
    EXPECT_TRUE(sql.startsWith(
        QStringLiteral("select 1 as a0, (1) || (1) as a1, ((1) || (1)) || ((1) || (1)) as a2")));
    EXPECT_TRUE(sql.endsWith(QStringLiteral(", a39 || a39 as a40")));
    EXPECT_LT(sql.size(), 1000000);
}

// The parenthesised group after the first "(" and its top-level items; the
// rewrites all split argument and select lists this way.
TEST(SingleCondition, OneExpressionOrRefused) {
    const struct {
        const char* condition;
        bool single;
    } cases[] = {
        {"[1002]='Jansen'", true},
        {"[ID04] like '12%'", true},
        {"[1008]=1", true},
        {"[1010]>=#12-31-2004#", true},
        {"[1002] like 'zzz%' OR 1=1", true}, // one expression; the brackets around it keep it in place
        {"([1002]='a;b' or [1003] in ('x', 'y'))", true},
        {"[1002]='select * from x -- /* ; ) ('", true},
        {"[1002]='x') AS q; INSERT INTO Filters(FilterNaam) VALUES ('INJECTED'); SELECT * FROM (x", false},
        {"[1002]='x') OR (1=1", false},
        {"[1002]='x'; DELETE FROM bord10", false},
        {"[1002]='x' -- rest", false},
        {"[1002]='x' /* */", false},
        {"[1002]=(select max([1002]) from bord10)", false},
        {"[1002]='x' union select 1", false},
        {"[1002]='x' order by 1", false},
        {"[1002]='x' limit 1", false},
        {"[1002]=E'\\''", false},
        {"[1002]=$$x$$", false},
        {"[1002]=:p", false},
        {"[1002]=?", false},
        {"[1002]='open", false},
        {"[1002", false},
        {"(([1002]='x')", false},
        {"", false},
        {"  ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isSingleCondition(QString::fromUtf8(c.condition)), c.single) << c.condition;
}

TEST(SqlTokens, MatchingCloseAndTopLevelCommas) {
    struct Case {
        const char* sql;
        QStringList items;
        const char* after; // the text after the matching ")"; null when none closes
    };
    const Case cases[] = {
        {"f(a, g(b, c), (d)) , e", {"a", "g(b, c)", "(d)"}, ", e"},
        {"f()", {""}, ""},
        {"f(a, b)) , c", {"a", "b"}, ") , c"},
        {"f('a,(b', [c,d], \"e)\", :p) x", {"'a,(b'", "[c,d]", "\"e)\"", ":p"}, "x"},
        {"iif(a -- x, )\n, b, c)", {"a -- x, )", "b", "c"}, ""},
        {"f(a, (b, c)", {"a", "(b, c)"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        const SqlTokens t = tokenizeSql(QString::fromUtf8(c.sql));
        const auto open = qsizetype(
            std::find_if(t.begin(), t.end(), [](const SqlToken& k) { return k.isSymbol(u"("); }) - t.begin());
        const qsizetype close = matchingClose(t, open);
        const qsizetype end = close < 0 ? qsizetype(t.size()) : close;
        auto text = [&](qsizetype from, qsizetype to) {
            return joinSqlTokens(SqlTokens(t.begin() + from, t.begin() + to)).trimmed();
        };
        QStringList items;
        qsizetype from = open + 1;
        for (const qsizetype comma : topLevelCommas(t, open + 1, end)) {
            items << text(from, comma);
            from = comma + 1;
        }
        items << text(from, end);
        EXPECT_EQ(items, c.items);
        if (c.after)
            EXPECT_EQ(close < 0 ? QStringLiteral("(unclosed)") : text(close + 1, qsizetype(t.size())),
                      QString::fromUtf8(c.after));
        else
            EXPECT_EQ(close, -1);
    }
}

// Values written into a statement as literals select what bound values select,
// quotes, signs and all, on either engine.
TEST_F(JetSql, ParameterValuesAsLiterals) {
    component(QStringLiteral("2006-01"), QStringLiteral("P1"), QStringLiteral("P1"), QStringLiteral("1"),
              QStringLiteral("A'B\\"), 10.25);
    component(QStringLiteral("2006-02"), QStringLiteral("P2"), QStringLiteral("P1"), QStringLiteral("1"),
              QStringLiteral("C"), 3);
    const QString sql = QStringLiteral("select [5004], [5008] -:minus as Netto, [5008] / :whole as Deel "
                                       "from bord50 where ID01 = :Nr and [5004] = :code and ':Nr' <> 'x'");
    const QString text = withParameterValues(sql, {{QStringLiteral("nr"), 12},
                                                   {QStringLiteral("CODE"), QStringLiteral("A'B\\")},
                                                   {QStringLiteral("Minus"), -5},
                                                   {QStringLiteral("whole"), 2.0}});
    EXPECT_EQ(text, QStringLiteral("select [5004], [5008] -(-5) as Netto, [5008] / 2.0 as Deel from bord50 "
                                   "where ID01 = 12 and [5004] = 'A''B\\' and ':Nr' <> 'x'"));
    DataSet rows = db->query(text);
    ASSERT_EQ(rows.recordCount(), 1);
    EXPECT_EQ(rows.value(QStringLiteral("5004")).toString(), QStringLiteral("A'B\\"));
    EXPECT_DOUBLE_EQ(rows.value(QStringLiteral("Netto")).toDouble(), 15.25);
    EXPECT_DOUBLE_EQ(rows.value(QStringLiteral("Deel")).toDouble(), 5.125);
    EXPECT_EQ(withParameterValues(QStringLiteral("select :a"), {{QStringLiteral("a"), QVariant()}}),
              QStringLiteral("select NULL"));
    for (const QVariantMap& values : {QVariantMap{{QStringLiteral("Nr"), 12}},  // code missing
                                      QVariantMap{{QStringLiteral("Nr"), 1e20}, // an exponent
                                                  {QStringLiteral("code"), QStringLiteral("x")}},
                                      QVariantMap{{QStringLiteral("Nr"), true}, // no common literal
                                                  {QStringLiteral("code"), QStringLiteral("x")}}})
        EXPECT_THROW(withParameterValues(QStringLiteral("select :Nr, :code"), values), DatabaseError);
}
