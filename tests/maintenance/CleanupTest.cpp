// Clean-up: when OK may be pressed, the clause it builds, and the deletes.
#include "maintenance/Cleanup.h"
#include "CleanupFixture.h"
#include "FailingTrigger.h"
#include "core/DatabaseError.h"

#include <gtest/gtest.h>

using namespace ostrapel;
using Period = CleanupSelection::Period;

namespace {

CleanupSelection choose(Period period, const QString& a = {}, const QString& b = {},
                        CollectivityKey collectivity = {}) {
    CleanupSelection s;
    s.period = period;
    if (period == Period::Month) s.month = a;
    s.from = period == Period::Range ? a : QString();
    s.to = b;
    s.collectivity = collectivity;
    return s;
}

class CleanupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        connection = dir.connect();
        test::fillCleanupStatements(*connection);
    }
    // Rows per table for one collectivity, in the order bord00, bord10, bord50, bord99.
    QList<int> rows(int coll, const QString& where = QStringLiteral("1=1")) {
        QList<int> out;
        for (const char* t : {"bord00", "bord10", "bord50", "bord99"})
            out << connection
                       ->scalar(QStringLiteral("select count(*) from %1 where id01 = %2 and %3")
                                    .arg(QLatin1String(t))
                                    .arg(coll)
                                    .arg(where))
                       .toInt();
        return out;
    }

    test::TestProgramDir dir;
    std::unique_ptr<Connection> connection;
};

} // namespace

TEST(CleanupSelectionTest, OkButtonRules) {
    const struct {
        CleanupSelection s;
        bool ok;
    } cases[] = {
        {choose(Period::Month), false},
        {choose(Period::Month, QStringLiteral("2004-03")), true},
        {choose(Period::Range, QStringLiteral("2004-06"), QStringLiteral("2004-03")), false},
        {choose(Period::Range, QStringLiteral("2004-03"), QStringLiteral("2004-06")), true},
        {choose(Period::Range, QStringLiteral("2004-03"), QStringLiteral("2004-03")), true},
        {choose(Period::Range, QString(), QStringLiteral("2004-06")), true},
        {choose(Period::Range, QStringLiteral("2004-03"), QString()), false},
        {choose(Period::Range), false},
        {choose(Period::All), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.s.okEnabled(), c.ok) << c.s.from.toStdString() << ".." << c.s.to.toStdString();
}

TEST(CleanupSelectionTest, Clauses) {
    const struct {
        CleanupSelection s;
        const char* clause;
    } cases[] = {
        {choose(Period::Month, QStringLiteral("2004-12"), {}, {123, 1}),
         " where (id03 = '2004-12') AND (id01 = 123 AND id02 = 1)"},
        {choose(Period::Range, QStringLiteral("2004-03"), QStringLiteral("2004-06")),
         " where (id03 >= '2004-03' and id03 <= '2004-06')"},
        {choose(Period::Range, QStringLiteral("2004-03"), QStringLiteral("2004-03")),
         " where (id03 = '2004-03')"},
        {choose(Period::Range, QString(), QStringLiteral("2004-06"), {7, 2}),
         " where (id03 <= '2004-06') AND (id01 = 7 AND id02 = 2)"},
        {choose(Period::All, {}, {}, {123, 1}), " where (id01 = 123 AND id02 = 1)"},
        {choose(Period::All), ""},
        {choose(Period::Month, QStringLiteral("x' or 'a'='a")), " where (id03 = 'x'' or ''a''=''a')"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.s.buildCleanupWhere(), QString::fromLatin1(c.clause));
}

TEST_F(CleanupFixture, ListsCarryBothKindsAndEveryPeriod) {
    Cleanup cleanup(*connection);
    QStringList captions;
    for (const Cleanup::Entry& e : cleanup.collectivities())
        captions << e.caption;
    std::sort(captions.begin() + 1, captions.begin() + 3); // the two kinds of one collectivity in any order
    std::swap(captions[1], captions[2]);
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("<ALLE>"), QStringLiteral("0001-1 ZKF/PRT: Bakkerij"),
                           QStringLiteral("0001-1 SV: Bakkerij"), QStringLiteral("0002-1 SV: Bakkerij")}));
    QStringList periods = cleanup.periods();
    EXPECT_EQ(periods.takeFirst(), QString());
    periods.sort();
    EXPECT_EQ(periods,
              (QStringList{QStringLiteral("2004-03"), QStringLiteral("2004-04"), QStringLiteral("2004-05"),
                           QStringLiteral("2004-06"), QStringLiteral("2004-07")}));
}

TEST_F(CleanupFixture, DeletesWhatWasChosen) {
    Cleanup cleanup(*connection);
    // A range of four months of every collectivity: what went is counted per table.
    const Cleanup::Removed range =
        cleanup.execute(choose(Period::Range, QStringLiteral("2004-03"), QStringLiteral("2004-06")));
    EXPECT_EQ(rows(1), (QList<int>{1, 2, 2, 1}));
    EXPECT_EQ(rows(2), (QList<int>{0, 0, 0, 0}));
    EXPECT_EQ(range.text(), QStringLiteral("Opgeschoond: 5 collectiviteitrecords, 9 verzekerdenrecords, "
                                           "5 controlerecords en 9 premierecords verwijderd"));

    // Premium records only: the rest of the month stays.
    CleanupSelection premiums = choose(Period::Month, QStringLiteral("2004-07"));
    premiums.premiumsOnly = true;
    const Cleanup::Removed only = cleanup.execute(premiums);
    EXPECT_EQ(rows(1), (QList<int>{1, 2, 0, 1}));
    EXPECT_EQ((QList<int>{only.collectivities, only.persons, only.history, only.premiums}),
              (QList<int>{0, 0, 0, 2}));
}

TEST_F(CleanupFixture, TheSvEntryRemovesBothKinds) {
    Cleanup cleanup(*connection);
    const auto entries = cleanup.collectivities();
    const auto sv = *std::find_if(entries.begin(), entries.end(), [](const Cleanup::Entry& e) {
        return e.collectivity.number == 1 && e.insuranceType == InsuranceType::Standard;
    });
    ASSERT_EQ(sv.caption, QStringLiteral("0001-1 SV: Bakkerij"));
    cleanup.execute(choose(Period::All, {}, {}, sv.collectivity));
    EXPECT_EQ(rows(1), (QList<int>{0, 0, 0, 0}));
    EXPECT_EQ(rows(2), (QList<int>{1, 1, 1, 1}));
}

TEST_F(CleanupFixture, AFailingDeleteUndoesTheWholeRun) {
    test::addFailingTrigger(*connection, QStringLiteral("refuse"), QStringLiteral("delete"),
                            QStringLiteral("bord50"), QStringLiteral("vergrendeld"));
    Cleanup cleanup(*connection);
    EXPECT_THROW(cleanup.execute(choose(Period::All)), DatabaseError);
    EXPECT_EQ(rows(1), (QList<int>{5, 10, 10, 5}));
    EXPECT_EQ(rows(2), (QList<int>{1, 1, 1, 1}));
    EXPECT_FALSE(connection->inTransaction());
}
