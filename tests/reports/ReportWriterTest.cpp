// The line primitives, page header and footer of the text reports.
#include "reports/ReportWriter.h"
#include "FixedClock.h"
#include "ReportFixture.h"
#include "core/Encoding.h"

#include <QBuffer>

using namespace ostrapel;

namespace {

class Writer : public test::ReportFixture {
protected:
    QBuffer out;
    test::FixedClock clock; // 10-12-2026 14:05:09
    std::unique_ptr<ReportWriter> w;
    void SetUp() override {
        ReportFixture::SetUp();
        out.open(QIODevice::WriteOnly);
        w = std::make_unique<ReportWriter>(out, catalogue, 60, clock);
    }
    QStringList lines() const {
        QStringList l = decodeCp1252(out.data()).split(u'\n');
        l.removeLast();
        return l;
    }
    // A row with one column of each kind the reports meet.
    DataSet row() {
        DataSet d =
            db->query(QStringLiteral("select -12.0 as [5008], 1234.5 as Bedrag, 0.0 as Nul, '1' as [5002], "
                                     "'9' as [5011], 5 as [1008], '2006-03-01' as [5009], 'x' as Memo"),
                      {}, &catalogue);
        d.findField(QStringLiteral("Bedrag"))->type = FieldType::Float;
        d.findField(QStringLiteral("Nul"))->type = FieldType::Float;
        d.findField(QStringLiteral("Memo"))->type = FieldType::Other;
        return d;
    }
};

} // namespace

TEST_F(Writer, CellsAreAlignedPaddedAndCut) {
    struct Case {
        QString text;
        int alignment, width, extra;
        QString cell;
    } cases[] = {
        {QStringLiteral("Premiecomponent"), 0, 7, 0, QStringLiteral("Premiec")},
        {QStringLiteral("  abc"), 0, 5, 0, QStringLiteral("abc  ")},
        {QStringLiteral("  abc"), 1, 5, 0, QStringLiteral("  abc")},
        {QStringLiteral("  abc"), 2, 0, 1, QStringLiteral("  abc ")},
        {QStringLiteral("   "), 0, 0, 3, QStringLiteral("   ")},
        {QStringLiteral("abcdef"), 1, 2, 1, QStringLiteral("abc")},
        {QStringLiteral("1.234.567,50 "), 1, 8, 0, QStringLiteral("1.234.56")},
    };
    for (const Case& c : cases) {
        w->lineBuffer().clear();
        w->appendText(c.text, c.alignment, c.width, c.extra);
        EXPECT_EQ(w->lineBuffer(), c.cell) << c.text.toStdString();
    }
    w->lineBuffer().clear();
    w->appendText(QString(100, u'a'), 0, 0, 0);
    w->appendText(QStringLiteral("bcdefghijklmn"), 0, 0, 0);
    w->appendText(QStringLiteral("lost"), 0, 0, 0);
    EXPECT_EQ(w->lineBuffer(), QString(100, u'a') + QStringLiteral("bcdefghijk"));
}

TEST_F(Writer, FieldsGiveTheirTypesText) {
    DataSet d = row();
    const auto cell = [&](int field, int alignment, int width) {
        w->lineBuffer().clear();
        w->appendField(d, d.field(field).name, alignment, width, 0);
        return w->lineBuffer();
    };
    EXPECT_EQ(cell(0, 0, 10), QStringLiteral("    12,00-")); // a float asked left stays right
    EXPECT_EQ(cell(1, 0, 10), QStringLiteral(" 1.234,50 "));
    EXPECT_EQ(cell(2, 2, 6), QStringLiteral(" 0,00 "));
    EXPECT_EQ(cell(3, 0, 6), QStringLiteral("PROL  "));
    EXPECT_EQ(cell(4, 1, 3), QStringLiteral("   ")); // a code outside the pick list
    EXPECT_EQ(w->fieldText(d, QStringLiteral("1008")),
              catalogue.decodePickValue(QStringLiteral("1008"), "1"));
    EXPECT_FALSE(w->fieldText(d, QStringLiteral("1008")).isEmpty());
    EXPECT_EQ(cell(6, 1, 12), QStringLiteral("  01-03-2006"));
    EXPECT_EQ(cell(7, 0, 4), QStringLiteral("    ")); // an unsupported type: an empty cell
}

TEST_F(Writer, APageIsExactlyThePageLength) {
    DataSet coll = db->query(QStringLiteral("select * from bord00 where ID03 = '2006-02'"), {}, &catalogue);
    w->writePageHeader(QStringLiteral("Titel"), &coll, true);
    for (int i = 0; i < 48; ++i) {
        w->appendText(QStringLiteral("regel %1").arg(i), 0, 0, 0);
        w->writeLine();
    }
    EXPECT_EQ(w->lineCount(), 50);
    w->writePageFooter(3);
    const QStringList l = lines();
    ASSERT_EQ(l.size(), 60);
    EXPECT_EQ(l[0], QStringLiteral("Titel").leftJustified(110));
    EXPECT_EQ(l[1], QStringLiteral("0012-1 : Bakkerij De Korrel").leftJustified(50) +
                        QStringLiteral("Deb. nr.: D-4711").leftJustified(30) +
                        QStringLiteral("Periode: 2006-02").leftJustified(29));
    for (int i = 50; i < 57; ++i)
        EXPECT_EQ(l[i], QString()) << i;
    EXPECT_EQ(l[57], QString(110, u'='));
    EXPECT_EQ(l[58], QStringLiteral("10-12-2026 14:05:09") + QString(6, u' ') +
                         QStringLiteral("pagina 3").rightJustified(85));
    EXPECT_EQ(l[59], QString());

    out.buffer().clear();
    out.seek(0);
    w->writeRule(ReportWriter::kMacron);
    w->writeEndMarker();
    EXPECT_EQ(out.data(), QByteArray(110, char(0xAF)) + "\n\n***EINDE VERSLAG***\n");
}
