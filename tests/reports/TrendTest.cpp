// The premium trend against a collectivity small enough to add up by hand,
// and the arguments of the trend command.
#include "TestProgramDir.h"
#include "reports/TrendCommand.h"

#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

class Trend : public ::testing::Test {
protected:
    void SetUp() override {
        // Person A (main, unit A) is insured as "Z" up to 2005-12 and as " "
        // from 2006; B, A's partner, as "P"; C only as " ". D belongs to
        // collectivity 7-2, X has no person record at all.
        const char* persons[][4] = {{"1", "A", "A", "Z"},
                                    {"1", "B", "A", "P"},
                                    {"1", "A", "A", " "},
                                    {"1", "C", "C", " "},
                                    {"2", "D", "D", "Z"}};
        for (const auto& p : persons)
            db->execute(QStringLiteral("insert into bord10 (ID01, ID02, ID03, ID07, ID05, [1024]) "
                                       "values (7, :volg, '2005-12', :id07, :id05, :type)"),
                        {{QStringLiteral("volg"), QString::fromLatin1(p[0]).toInt()},
                         {QStringLiteral("id07"), QString::fromLatin1(p[1])},
                         {QStringLiteral("id05"), QString::fromLatin1(p[2])},
                         {QStringLiteral("type"), QString::fromLatin1(p[3])}});
        struct Component {
            int volg;
            const char* month;
            const char* person;
            const char* origin;
            double amount;
        };
        const Component components[] = {
            // 2005-11, type 1: premium 100,10 + 20,00 + 50,00; corrections -10,05 + 5,00; A and B
            {1, "2005-11", "A", "1", 100.10},
            {1, "2005-11", "A", "1", 20.00},
            {1, "2005-11", "B", "1", 50.00},
            {1, "2005-11", "B", "2", -10.05},
            {1, "2005-11", "A", "3", 5.00},
            {1, "2005-11", "C", "1", 40.00}, // C is not insured as type 1
            // 2005-12, type 1: 100,10 + 50,00 + 30,00 (the unit's joint component, carried by A)
            {1, "2005-12", "A", "1", 100.10},
            {1, "2005-12", "B", "1", 50.00},
            {1, "2005-12", "A", "1", 30.00},
            {1, "2005-12", "X", "1", 999.00}, // nobody's
            {2, "2005-12", "D", "1", 500.00}, // another collectivity
            // 2006-01, type 2: 110,00 + 70,00; correction 7,50; A and C
            {1, "2006-01", "A", "1", 110.00},
            {1, "2006-01", "C", "1", 70.00},
            {1, "2006-01", "C", "2", 7.50},
            // 2006-02 and 2006-03, type 2: C alone, the last month only a correction
            {1, "2006-02", "C", "1", 70.00},
            {1, "2006-03", "C", "2", -12.34},
        };
        for (const Component& c : components)
            db->execute(QStringLiteral("insert into bord50 (ID01, ID02, ID03, ID05, ID07, [5002], [5008]) "
                                       "values (7, :volg, :month, :person, :person, :origin, :amount)"),
                        {{QStringLiteral("volg"), c.volg},
                         {QStringLiteral("month"), QString::fromLatin1(c.month)},
                         {QStringLiteral("person"), QString::fromLatin1(c.person)},
                         {QStringLiteral("origin"), QString::fromLatin1(c.origin)},
                         {QStringLiteral("amount"), c.amount}});
    }

    test::TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
};

} // namespace

TEST_F(Trend, FiguresOfEachMonthAsAddedUpByHand) {
    const struct {
        QStringList args;
        QStringList lines;
    } cases[] = {
        {{QStringLiteral("--type"), QStringLiteral("1")},
         {QStringLiteral("2005-11;170,10;-5,05;2"), QStringLiteral("2005-12;180,10;0,00;2")}},
        {{QStringLiteral("--type"), QStringLiteral("2")},
         {QStringLiteral("2006-01;180,00;7,50;2"), QStringLiteral("2006-02;70,00;0,00;1"),
          QStringLiteral("2006-03;0,00;-12,34;1")}},
        {{QStringLiteral("--type"), QStringLiteral("2"), QStringLiteral("--from"), QStringLiteral("2006-02")},
         {QStringLiteral("2006-02;70,00;0,00;1"), QStringLiteral("2006-03;0,00;-12,34;1")}},
        {{QStringLiteral("--type"), QStringLiteral("2"), QStringLiteral("--from"), QStringLiteral("2006-02"),
          QStringLiteral("--to"), QStringLiteral("2006-02")},
         {QStringLiteral("2006-02;70,00;0,00;1")}},
        {{QStringLiteral("--type"), QStringLiteral("1"), QStringLiteral("--to"), QStringLiteral("2005-11")},
         {QStringLiteral("2005-11;170,10;-5,05;2")}},
        {{QStringLiteral("--type"), QStringLiteral("1"), QStringLiteral("--from"), QStringLiteral("2006-01")},
         {}},
    };
    for (const auto& c : cases) {
        QString error;
        const auto command = TrendCommand::parse(
            QStringList{QStringLiteral("--coll"), QStringLiteral("7-1")} + c.args, &error);
        ASSERT_TRUE(command) << error.toStdString();
        EXPECT_EQ(command->lines(*db), c.lines) << c.args.join(u' ').toStdString();
    }
    const QList<TrendMonth> months = PremiumTrend::read(*db, {7, 1}, InsuranceType::Standard);
    ASSERT_EQ(months.size(), 3);
    EXPECT_EQ(PremiumTrend::describe(months[0]),
              QStringLiteral("2006-01: premie 180,00, correcties 7,50, 2 verzekerden"));
    EXPECT_EQ(PremiumTrend::describe(months[2]),
              QStringLiteral("2006-03: premie 0,00, correcties 12,34-, 1 verzekerde"));
}

TEST_F(Trend, ArgumentsThatMakeNoTrend) {
    const struct {
        QStringList args;
        QString error;
    } cases[] = {
        {{QStringLiteral("--coll"), QStringLiteral("7"), QStringLiteral("--type"), QStringLiteral("1")},
         QStringLiteral("--coll NR-VOLGNR ontbreekt of is ongeldig: 7")},
        {{QStringLiteral("--coll"), QStringLiteral("7-1"), QStringLiteral("--type"), QStringLiteral("3")},
         QStringLiteral("--type 1|2 ontbreekt of is ongeldig: 3")},
        {{QStringLiteral("--coll"), QStringLiteral("7-1"), QStringLiteral("--type"), QStringLiteral("1"),
          QStringLiteral("--from"), QStringLiteral("2005-13")},
         QStringLiteral("Ongeldige maand bij --from: 2005-13 (JJJJ-MM)")},
        {{QStringLiteral("--coll"), QStringLiteral("7-1"), QStringLiteral("--type"), QStringLiteral("1"),
          QStringLiteral("--to"), QStringLiteral("2005-1")},
         QStringLiteral("Ongeldige maand bij --to: 2005-1 (JJJJ-MM)")},
        {{QStringLiteral("--coll"), QStringLiteral("7-1"), QStringLiteral("--type"), QStringLiteral("1"),
          QStringLiteral("--from"), QStringLiteral("2005-12"), QStringLiteral("--to"),
          QStringLiteral("2005-11")},
         QStringLiteral("--to 2005-11 ligt voor --from 2005-12")},
        {{QStringLiteral("--coll"), QStringLiteral("7-1"), QStringLiteral("--type"), QStringLiteral("1"),
          QStringLiteral("--period"), QStringLiteral("2005-11")},
         QStringLiteral("Onbekende optie: --period")},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(TrendCommand::parse(c.args, &error));
        EXPECT_EQ(error, c.error);
    }
}
