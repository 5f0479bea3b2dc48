// The check pass against the control record, and the overview's rules.
#include "ImportFixture.h"
#include "import/CheckPass.h"
#include "import/ImportOverview.h"

#include <QFile>

using namespace ostrapel;
using namespace ostrapel::OverviewTexts;

namespace {

class CheckPassTest : public test::ImportFixture {
protected:
    StatementSummary check(const QStringList& lines, int dbVersion = 1) {
        return checkStatementFile(catalogue, view, write(QStringLiteral("000012001-01S.dat"), lines),
                                  dbVersion);
    }
    // the control record with one field replaced
    QStringList withControl(QStringList lines, const QString& field, const QVariant& value) {
        const RecordField* e = catalogue.findField(field);
        StatementWriter w(catalogue);
        QString formatted =
            w.composeLine(QStringLiteral("99"), {{field, value}}).mid(e->start - 1, e->length);
        lines.last().replace(e->start - 1, e->length, formatted);
        return lines;
    }
};

} // namespace

TEST_F(CheckPassTest, SummaryAgreesWithAGoodFile) {
    const StatementSummary s = check(statement(12, QStringLiteral("2006-01"), {"A", "B", "C"}, true, 2));
    EXPECT_EQ(s.collectivityNumber, QStringLiteral("000012"));
    EXPECT_EQ(s.collectivityName, QStringLiteral("Test BV"));
    EXPECT_EQ(s.period, QStringLiteral("2006-01"));
    EXPECT_EQ(s.firstLine, 1);
    EXPECT_EQ(s.lastLine, 11);
    EXPECT_EQ(s.statedRecords, 11);
    EXPECT_EQ(s.countedRecords, 11);
    EXPECT_EQ(s.countedPersons, 3);
    EXPECT_DOUBLE_EQ(s.countedTotal, 60.0);
    EXPECT_DOUBLE_EQ(s.countedTotalCollectivity, 60.0);
    EXPECT_DOUBLE_EQ(s.statedTotal, 60.0);
    EXPECT_EQ(s.createdOn, QDate(2006, 1, 1));
    EXPECT_EQ(s.fileVersion, 1);
    EXPECT_EQ(s.importFlag, u'N');
    EXPECT_EQ(errorFlags(s), 0);
    EXPECT_EQ(view.list.last(), QStringLiteral("Informatie file: \"000012001-01S.dat\" gecontroleerd"));
}

TEST_F(CheckPassTest, ErrorFlagsAndReasons) {
    const QStringList good = statement(12, QStringLiteral("2006-01"), {"A", "B"}, true);
    struct Case {
        QStringList lines;
        int dbVersion;
        const char* reasons;
    } cases[] = {
        {withControl(good, QStringLiteral("9903"), int(good.size()) - 1), 1, "aantal records"},
        {withControl(good, QStringLiteral("9904"), 5), 1, "aantal personen"},
        {good, 0, "versie applicatie"}, // no version table: every file is version 0
        {withControl(withControl(good, QStringLiteral("9903"), 1), QStringLiteral("9904"), 0), 1,
         "aantal records, aantal personen"},
        {good.mid(2, 2), 1, "geen collectiviteitsrecord"}, // only the reason that applies
    };
    for (const Case& c : cases) {
        const StatementSummary s = check(c.lines, c.dbVersion);
        EXPECT_EQ(errorReasons(errorFlags(s)), QString::fromLatin1(c.reasons));
    }
    // amounts are shown, never compared
    EXPECT_EQ(errorFlags(check(withControl(good, QStringLiteral("9905"), 999.0))), 0);
}

TEST_F(CheckPassTest, TwoBlocksAndLeadingLines) {
    const QStringList first = statement(12, QStringLiteral("2006-01"), {"A", "B", "C"}, true);
    QStringList second = statement(12, QStringLiteral("2006-02"), {"D"}, true);
    QStringList lines = QStringList{first[1]} + first + second; // a stray person line before the first block
    const StatementSummary s = check(lines);
    EXPECT_EQ(s.period, QStringLiteral("2006-02"));
    EXPECT_EQ(s.firstLine, int(first.size()) + 2);
    EXPECT_EQ(s.countedRecords, int(second.size()));
    EXPECT_EQ(s.countedPersons, 1);
    EXPECT_DOUBLE_EQ(s.countedTotal, 10.0);
    EXPECT_DOUBLE_EQ(s.countedTotalCollectivity, 40.0); // the C and V sums cover the whole file
}

// Each block answers to its own control record: a later good block does not
// hide an earlier one that disagrees (a component line written twice).
TEST_F(CheckPassTest, EachBlockIsCheckedAgainstItsOwnControlRecord) {
    const QStringList first = statement(12, QStringLiteral("2006-01"), {"A", "B", "C"}, true, 2);
    const QStringList second = statement(12, QStringLiteral("2006-02"), {"D"}, true);
    QStringList doubled = first;
    doubled.insert(3, first[2]);
    ASSERT_EQ(doubled.size(), 12);
    struct Case {
        QStringList lines;
        int flags;
        int from, to; // the lines of the earlier block that disagrees
    } cases[] = {
        {doubled + second, ErrRecords, 1, 12},
        {first + doubled + second, ErrRecords, 12, 23},
        {first + second + doubled, ErrRecords, 0, 0}, // the last block: its own figures
        {first + second, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<StatementSummary> summaries = {check(c.lines)};
        const StatementSummary& s = summaries[0];
        EXPECT_EQ(errorFlags(s), c.flags) << c.lines.size();
        EXPECT_EQ(s.earlierBlockFrom, c.from);
        EXPECT_EQ(s.earlierBlockTo, c.to);
        if (c.flags == 0) continue;
        EXPECT_EQ(errorReasons(s), QStringLiteral("aantal records"));
        // Not ticked by "Alles selecteren", and reported when the user confirms.
        ImportOverview o(summaries);
        o.toggleSelectAll();
        EXPECT_FALSE(o.isTicked(0));
        test::ScriptedPrompts answers;
        EXPECT_FALSE(o.acceptClose(answers));
        EXPECT_EQ(answers.texts().value(0),
                  FileHasErrors.arg(s.collectivityNumber, s.sequenceNumber, s.period, u"aantal records"));
    }
}

// Files whose build is wrong would be imported wrongly, or again at every
// delivery: each is erroneous with its reason and cannot be ticked.
TEST_F(CheckPassTest, BrokenBuildsAreErroneousAndCannotBeTicked) {
    const QStringList good = statement(12, QStringLiteral("2006-01"), {"A", "B"}, true);
    const int n = int(good.size());
    const RecordField* type = catalogue.findField(QStringLiteral("ID08"));
    const RecordField* amount = catalogue.findField(QStringLiteral("5008"));
    auto changed = [&](int line, const RecordField* field, const QString& text) {
        QStringList lines = good;
        lines[line].replace(field->start - 1, field->length, text.leftJustified(field->length));
        return lines;
    };
    QStringList otherPeriod = good;
    otherPeriod.last() = statement(12, QStringLiteral("2006-02"), {"A", "B"}, true).last();
    QStringList otherKind = good;
    otherKind.last() = statement(12, QStringLiteral("2006-01"), {"A", "B"}, false).last();
    QStringList secondBlockOpen = good;
    secondBlockOpen.insert(n - 1, good[0]); // a collectivity record inside the block
    struct Case {
        QStringList lines;
        QString reasons;
    } cases[] = {
        {good.mid(0, n - 1), CheckTexts::NoControlRecord},
        {good.mid(0, n - 1) << good.last().left(type->start),
         CheckTexts::UnknownRecordType.arg(QStringLiteral("9")).arg(n)},
        {good.mid(0, n - 1) << good.last().left(type->start - 3),
         CheckTexts::UnknownRecordType.arg(u"").arg(n)},
        {QStringList{good.last()} + good, CheckTexts::ControlBeforeCollectivity.arg(1)},
        {good + QStringList{good[2]}, CheckTexts::LinesAfterControl.arg(n + 1)},
        {QStringList{good[1]} + good, CheckTexts::LinesBeforeCollectivity.arg(1)},
        {otherPeriod, CheckTexts::ControlKeyDiffers.arg(n)},
        {otherKind, CheckTexts::ControlKeyDiffers.arg(n)},
        {changed(2, type, QStringLiteral("77")), CheckTexts::UnknownRecordType.arg(u"77").arg(3)},
        {changed(4, amount, QStringLiteral("+") + QString(amount->length - 1, u'9')),
         CheckTexts::AmountUnreadable.arg(u"5008").arg(5)},
        {changed(4, amount, QStringLiteral("+0010.00")), CheckTexts::AmountUnreadable.arg(u"5008").arg(5)},
        {secondBlockOpen, QStringLiteral("aantal records, aantal personen, ") + CheckTexts::NoControlRecord},
    };
    for (const Case& c : cases) {
        std::vector<StatementSummary> summaries = {check(c.lines)};
        EXPECT_EQ(errorReasons(summaries[0]), c.reasons);
        EXPECT_FALSE(isImportable(summaries[0]));
        ImportOverview o(summaries);
        o.setTicked(0, true);
        EXPECT_FALSE(o.isTicked(0)) << c.reasons.toStdString();
    }
    // blank lines after the control record are harmless
    EXPECT_TRUE(isImportable(check(good + QStringList{QStringLiteral("   ")})));
    // two whole blocks stay a good file
    EXPECT_EQ(errorFlags(check(good + statement(12, QStringLiteral("2006-02"), {"C"}, true))), 0);
}

TEST_F(CheckPassTest, LineFeedsOnlyOrCtrlZBeforeTheControlRecordLeaveNoControlRecord) {
    const QStringList good = statement(12, QStringLiteral("2006-01"), {"A"}, true);
    for (const QByteArray& bytes :
         {good.join(u'\n').toLatin1() + '\n', good.mid(0, 3).join(QStringLiteral("\r\n")).toLatin1() +
                                                  "\r\n\x1a" + good.last().toLatin1() + "\r\n"}) {
        const QString path = dir.filePath(QStringLiteral("Import/000012001-01S.dat"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        const StatementSummary s = checkStatementFile(catalogue, view, path, 1);
        EXPECT_EQ(errorReasons(s), CheckTexts::NoControlRecord);
    }
}

TEST_F(CheckPassTest, UnreadableValueNamesFileLineAndField) {
    QStringList lines = statement(12, QStringLiteral("2006-01"), {"A"}, true);
    const RecordField* amount = catalogue.findField(QStringLiteral("5008"));
    lines[2].replace(amount->start - 1, amount->length, QStringLiteral("+0000012x45"));
    try {
        check(lines);
        FAIL() << "no error";
    } catch (const ImportError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("000012001-01S.dat"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("Regel 3, veld 5008"))) << e.message().toStdString();
    }
    EXPECT_THROW(check(withControl(statement(12, QStringLiteral("2006-01"), {"A"}, true),
                                   QStringLiteral("9902"), QStringLiteral("31.12.2005"))),
                 ImportError);
}

TEST(ImportOverviewTest, SelectAllToggleAndCloseTest) {
    StatementSummary good;
    good.collectivityNumber = QStringLiteral("12");
    good.sequenceNumber = QStringLiteral("1");
    good.period = QStringLiteral("2006-01");
    good.fileVersion = 1;
    StatementSummary bad = good;
    bad.statedRecords = 5;
    std::vector<StatementSummary> summaries = {good, bad};
    ImportOverview o(summaries);
    test::ScriptedPrompts prompts;

    // OK with nothing ticked keeps the dialog open after the warning
    EXPECT_FALSE(o.acceptClose(prompts));
    EXPECT_EQ(prompts.messages.back().text, NothingSelected);
    EXPECT_EQ(prompts.messages.back().type, MsgType::Warning);

    o.toggleSelectAll();
    EXPECT_TRUE(o.isTicked(0));
    EXPECT_FALSE(o.isTicked(1));
    EXPECT_EQ(o.selectAllCaption(), DeselectAll);
    o.toggleSelectAll();
    EXPECT_FALSE(o.isTicked(0));
    EXPECT_EQ(o.selectAllCaption(), SelectAll);

    o.toggleSelectAll();
    o.setTicked(1, true); // an erroneous file ticked by hand is still imported
    prompts.messages.clear();
    EXPECT_TRUE(o.acceptClose(prompts));
    EXPECT_EQ(prompts.texts(),
              (QStringList{QStringLiteral(
                               "Bestand van collectiviteit 12.1 [2006-01] \r\nbevat fouten (aantal records)"),
                           NotAllImported}));
    EXPECT_EQ(o.goodCount(), 1);
    EXPECT_EQ(summaries[0].importFlag, u'J');
    EXPECT_EQ(summaries[1].importFlag, u'J');
}

TEST(ImportOverviewTest, AFileWithoutCollectivityRecordIsNamedByItsFile) {
    StatementSummary s;
    s.fileName = QStringLiteral("/tmp/Import/000012001-01.dat");
    s.noCollectivityRecord = true;
    std::vector<StatementSummary> summaries = {s};
    ImportOverview o(summaries);
    test::ScriptedPrompts prompts;
    o.setTicked(0, true);
    EXPECT_FALSE(o.acceptClose(prompts));
    EXPECT_EQ(prompts.texts().first(),
              QStringLiteral("Bestand \"000012001-01.dat\" \r\nbevat fouten (geen collectiviteitsrecord)"));
}
