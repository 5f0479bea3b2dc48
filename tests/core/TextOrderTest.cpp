// One order of texts for lists, reports and the export: without regard to
// case for every letter, accents with their base letter; and LIKE that folds
// every letter and takes an escape character. On the connection of either engine.
#include "core/TextOrder.h"
#include "TestProgramDir.h"
#include "core/DataSet.h"
#include "core/SqlFragments.h"

#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

const QStringList kDutchOrder = {
    QStringLiteral("Çelik"),  QStringLiteral("d'Hondt"), QStringLiteral("Dam"),    QStringLiteral("Éénhoorn"),
    QStringLiteral("Müller"), QStringLiteral("Muts"),    QStringLiteral("Öztürk"), QStringLiteral("Wit")};

} // namespace

TEST(TextOrderTest, ComparesWithoutCaseAndAccentsWithTheirBaseLetter) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"Öztürk", "Wit", -1},    // not after every ASCII letter
             {"Öztürk", "Oz", 1},      // among the O's
             {"Muller", "Müller", -1}, // the accent decides only a tie
             {"MÜLLER", "müller", 0},  // case never does
             {"Çelik-de Müller", "Dam", -1},
             {"ab", "AB", 0},
             {"a_b", "aa", -1}, // ASCII as SQLite's NOCASE: "_" before letters
             {"Zeeman", "zeeman ", -1},
         }) {
        const QString a = QString::fromUtf8(c.a), b = QString::fromUtf8(c.b);
        EXPECT_EQ(compareTexts(a, b), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(compareTexts(b, a), -c.expected) << c.b << " / " << c.a;
        const QByteArray x = a.toUtf8(), y = b.toUtf8();
        EXPECT_EQ(compareUtf8Texts(x.constData(), int(x.size()), y.constData(), int(y.size())), c.expected)
            << c.a << " / " << c.b;
    }
}

TEST(TextOrderTest, LikeFoldsEveryLetterAndEscapes) {
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"MÜ%", "Müller", true},
             {"öz%", "Öztürk", true},
             {"%ÇE%", "van Çelik", true},
             {"mu%", "Müller", false},
             {"_ü%", "Müller", true},
             {"%\\%%", "100%", true},
             {"%\\%%", "100", false},
             {"\\_e", "_E", true},
             {"\\_e", "xE", false},
             {"a%b%c", "aXbYc", true},
             {"a%b%c", "aXbY", false},
             {"", "", true},
         })
        EXPECT_EQ(likeMatches(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text), u'\\'), c.matches)
            << c.pattern << " / " << c.text;
    QString escape;
    EXPECT_EQ(likeLiteral(QStringLiteral("50%_a\\"), &escape), QStringLiteral("50\\%\\_a\\\\"));
    EXPECT_EQ(escape, QStringLiteral(" escape '\\'"));
    EXPECT_EQ(likeLiteral(QStringLiteral("Jansen"), &escape), QStringLiteral("Jansen"));
    EXPECT_TRUE(escape.isEmpty());
}

TEST(TextOrderTest, TheDatabaseComparesSearchesAndSortsAsTheProgram) {
    test::TestProgramDir dir;
    auto db = dir.connect();
    int n = 0;
    for (const QString& name : kDutchOrder)
        db->execute(
            QStringLiteral("insert into bord10 (ID01, ID02, ID03, ID07, [1002]) values (1, 1, '2006-01', "
                           ":k, :n)"),
            {{QStringLiteral("k"), QString::number(++n)}, {QStringLiteral("n"), name}});
    db->execute(QStringLiteral("insert into bord10 (ID01, ID02, ID03, ID07, [1002]) values (1, 1, '2006-01', "
                               "'x', '50%_korting')"));
    auto names = [&](const QString& condition) {
        QStringList l;
        DataSet ds = db->query(QStringLiteral("select [1002] from bord10 where ") + condition +
                               QStringLiteral(" order by [1002]"));
        for (ds.first(); !ds.eof(); ds.next())
            l << ds.value(QStringLiteral("1002")).toString();
        return l;
    };
    EXPECT_EQ(names(QStringLiteral("[1002] like 'MÜ%'")), QStringList{QStringLiteral("Müller")});
    EXPECT_EQ(names(QStringLiteral("[1002] like 'öz%'")), QStringList{QStringLiteral("Öztürk")});
    EXPECT_EQ(names(QStringLiteral("[1002] = 'ÉÉNHOORN'")), QStringList{QStringLiteral("Éénhoorn")});
    EXPECT_EQ(names(QStringLiteral("[1002] like '%\\_%' escape '\\'")),
              QStringList{QStringLiteral("50%_korting")});
    EXPECT_EQ(names(QStringLiteral("ID07 <> 'x'")), kDutchOrder);

    // The list's own sort gives the same order.
    DataSet ds = db->query(QStringLiteral("select [1002] from bord10 where ID07 <> 'x' order by ID07 desc"));
    ds.sort(QStringLiteral("1002"));
    QStringList sorted;
    for (ds.first(); !ds.eof(); ds.next())
        sorted << ds.value(QStringLiteral("1002")).toString();
    EXPECT_EQ(sorted, kDutchOrder);
}
