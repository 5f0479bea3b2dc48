#include "core/DataSet.h"
#include "TestDescriber.h"
#include "TestProgramDir.h"
#include "core/DataSetModel.h"
#include "core/DisplayFormat.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

class DataSetFixture : public ::testing::Test {
protected:
    test::TestDescriber describer;
    void SetUp() override {
        struct Row {
            const char* id07;
            const char* origin;
            double amount;
            const char* from;
        } rows[] = {{"b", "1", 1234.5, "2006-01-01"},
                    {"A", "2", -12.0, "2005-02-03"},
                    {"c", "1", 0.0, nullptr},
                    {"a", "1", 7.0, "2006-01-01"}};
        int line = 0;
        for (const Row& r : rows)
            db->execute(QStringLiteral("insert into bord50 (ID01, ID02, ID06, ID07, [5002], [5008], [5009]) "
                                       "values (1, 1, :n, :k, :o, :a, :f)"),
                        {{QStringLiteral("n"), ++line},
                         {QStringLiteral("k"), QString::fromLatin1(r.id07)},
                         {QStringLiteral("o"), QString::fromLatin1(r.origin)},
                         {QStringLiteral("a"), r.amount},
                         {QStringLiteral("f"), r.from ? QVariant(QString::fromLatin1(r.from)) : QVariant()}});
        ds = db->query(
            QStringLiteral(
                "select ID01, ID07, [5002], [5008], [5009], [5008] * 2 as Dubbel from bord50 order by ID06"),
            {}, &describer);
    }

    QStringList order(const QString& field) {
        QStringList out;
        for (ds.first(); !ds.eof(); ds.next())
            out << ds.value(field).toString();
        return out;
    }

    test::TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
    DataSet ds;
};

} // namespace

TEST_F(DataSetFixture, FieldTypesComeFromTheCatalogueHookThenTheDriver) {
    ASSERT_EQ(ds.fieldCount(), 6);
    EXPECT_EQ(ds.findField(QStringLiteral("5008"))->type, FieldType::Float);
    EXPECT_EQ(ds.findField(QStringLiteral("5009"))->type, FieldType::Date);
    EXPECT_EQ(ds.findField(QStringLiteral("ID01"))->type, FieldType::Integer);
    EXPECT_EQ(ds.findField(QStringLiteral("id07"))->type, FieldType::Text);
    EXPECT_EQ(ds.value(QStringLiteral("5009")).toDate(), QDate(2006, 1, 1));
}

TEST_F(DataSetFixture, DisplayTextUsesFormatsAndCodeDescriptions) {
    ds.findField(QStringLiteral("5008"))->displayFormat = kAmountFormat;
    ds.findField(QStringLiteral("5009"))->displayFormat = kDateFormat;
    EXPECT_EQ(ds.displayText(0, ds.fieldIndex(QStringLiteral("5008"))), QStringLiteral("1.234,50"));
    EXPECT_EQ(ds.displayText(1, ds.fieldIndex(QStringLiteral("5008"))), QStringLiteral("12,00-"));
    EXPECT_EQ(ds.displayText(1, ds.fieldIndex(QStringLiteral("5009"))), QStringLiteral("03-02-2005"));
    EXPECT_EQ(ds.displayText(2, ds.fieldIndex(QStringLiteral("5009"))), QString());
    EXPECT_EQ(ds.displayText(0, ds.fieldIndex(QStringLiteral("5002"))), QStringLiteral("PROL"));
    EXPECT_EQ(ds.displayText(1, ds.fieldIndex(QStringLiteral("5002"))), QString());
}

TEST_F(DataSetFixture, NavigationStopsAtBothEnds) {
    EXPECT_EQ(ds.recNo(), 0);
    ds.prior();
    EXPECT_TRUE(ds.bof());
    ds.moveBy(2);
    EXPECT_EQ(ds.recNo(), 2);
    ds.moveBy(10);
    EXPECT_EQ(ds.recNo(), 3);
    EXPECT_TRUE(ds.eof());
    ds.last();
    ds.next();
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.recNo(), 3);
}

TEST_F(DataSetFixture, SortIsStableCaseInsensitiveWithEmptyValuesFirst) {
    ds.sort(QStringLiteral("ID07"));
    EXPECT_EQ(order(QStringLiteral("ID07")), (QStringList{"A", "a", "b", "c"}));
    ds.sort(QStringLiteral("5009, ID07"));
    EXPECT_EQ(order(QStringLiteral("ID07")), (QStringList{"c", "A", "a", "b"}));
    ds.last();
    ds.sort(QStringLiteral(" 5008"));
    EXPECT_EQ(ds.recNo(), 0);
    EXPECT_EQ(order(QStringLiteral("ID07")), (QStringList{"A", "c", "a", "b"}));
}

TEST_F(DataSetFixture, LocateFindsTheFirstMatch) {
    ds.sort(QStringLiteral("ID07"));
    EXPECT_TRUE(ds.locate(QStringLiteral("ID07"), QStringLiteral("a")));
    EXPECT_EQ(ds.recNo(), 0); // "A" matches without regard to case
    EXPECT_TRUE(ds.locate(QStringLiteral("ID07"), QStringLiteral("a"), Qt::CaseSensitive));
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_TRUE(ds.locate(QStringLiteral("5009"), QStringLiteral("2005-02-03")));
    EXPECT_EQ(ds.value(QStringLiteral("ID07")).toString(), QStringLiteral("A"));
    EXPECT_FALSE(ds.locate(QStringLiteral("ID07"), QStringLiteral("z")));
    EXPECT_FALSE(ds.locate(QStringLiteral("Onbekend"), 1));
}

TEST_F(DataSetFixture, ModelShowsVisibleFieldsInFieldOrder) {
    ds.findField(QStringLiteral("ID01"))->visible = false;
    ds.findField(QStringLiteral("5008"))->displayLabel = QStringLiteral("Bedrag");
    ds.findField(QStringLiteral("5008"))->displayFormat = kAmountFormat;
    ds.moveField(ds.fieldIndex(QStringLiteral("5008")), 0);
    DataSetModel model;
    model.setDataSet(&ds);
    ASSERT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Bedrag"));
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("1.234,50"));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::EditRole).toDouble(), 1234.5);
    ds.sort(QStringLiteral("5008"));
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("12,00-"));
}

// The model hears of every reload and sort before it happens: Qt's model
// tester checks each signal, and the current row follows its record.
TEST_F(DataSetFixture, ModelFollowsReloadsAndSorts) {
    DataSetModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setDataSet(&ds);
    QPersistentModelIndex a7(model.index(3, 1)); // ID07 "a"
    ASSERT_EQ(a7.data().toString(), QStringLiteral("a"));
    ds.sort(QStringLiteral("ID07"));
    EXPECT_EQ(a7.row(), 1); // after "A": the sort is stable and ignores case
    EXPECT_EQ(a7.data().toString(), QStringLiteral("a"));
    EXPECT_EQ(model.index(3, 1).data().toString(), QStringLiteral("c"));

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    db->execute(QStringLiteral("delete from bord50 where ID07 = 'b'"));
    ds = db->query(QStringLiteral("select ID01, ID07 from bord50 order by ID06"), {}, &describer);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 2);
    ds.findField(QStringLiteral("ID01"))->visible = false;
    ds.fieldsChanged();
    EXPECT_EQ(model.columnCount(), 1);
    ds.clear();
    EXPECT_EQ(model.rowCount(), 0);
    {
        DataSet shortLived = db->query(QStringLiteral("select ID07 from bord50"));
        model.setDataSet(&shortLived);
        EXPECT_EQ(model.rowCount(), 3);
    }
    EXPECT_EQ(model.dataSet(), nullptr); // a data set that goes takes itself out of the model
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(DisplayFormatTest, AmountsAndDates) {
    struct Case {
        double value;
        const char* list;
        const char* amountText;
    } cases[] = {{0.0, "0,00", "0,00 "},
                 {-12.0, "12,00-", "12,00-"},
                 {1234567.891, "1.234.567,89", "1.234.567,89 "},
                 {-0.001, "0,00", "0,00 "}};
    for (const Case& c : cases) {
        EXPECT_EQ(formatNumber(c.value, kAmountFormat), QString::fromUtf8(c.list)) << c.value;
        EXPECT_EQ(amountText(c.value), QString::fromUtf8(c.amountText)) << c.value;
    }
    EXPECT_EQ(formatDate(QDate(2004, 12, 31), kDateFormat), QStringLiteral("31-12-2004"));
}
