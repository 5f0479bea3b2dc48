#include "TestProgramDir.h"
#include "core/DataSet.h"
#include "core/RecordCatalogue.h"

#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override { cat.load(*db); }
    DataSet persons() {
        db->execute(QStringLiteral(
            "insert into bord10 (ID01, ID02, ID04, ID05, ID07, [1002], [1003], [1008], [1024], [1026]) "
            "values (1, 1, 'W', 'K1', 'K1', 'Vries', 'J.', 2, ' ', 1.5)"));
        return db->query(
            QStringLiteral(
                "select ID04, ID05, ID06, [1002], [1003], [1008], [1024], [1026], 1 as Extra from bord10"),
            {}, &cat);
    }

    test::TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
    RecordCatalogue cat;
};

QStringList names(const DataSet& ds) {
    QStringList out;
    for (int i = 0; i < ds.fieldCount(); ++i)
        out << ds.field(i).name;
    return out;
}

} // namespace

TEST_F(Catalogue, LoadsEveryKindInFieldOrder) {
    ASSERT_NE(cat.kindList(QStringLiteral("10")), nullptr);
    EXPECT_EQ(cat.kindList(QStringLiteral("ID"))->size(), 9u);
    EXPECT_EQ(cat.kindList(QStringLiteral("50"))->size(), 12u);
    EXPECT_EQ(cat.kindList(QStringLiteral("xx")), nullptr);
    const RecordField* e = cat.findField(QStringLiteral("1024"));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->start, 324);
    EXPECT_EQ(e->length, 1);
    EXPECT_EQ(e->type, u'A');
    EXPECT_EQ(*e->pickList, (QStringList{QStringLiteral("P=Particulier"), QStringLiteral("Z=Ziekenfonds"),
                                         QStringLiteral(" =Standaardverzekering")}));
    EXPECT_EQ(cat.findField(QStringLiteral("5009a"))->name, QStringLiteral("5009"));
    EXPECT_EQ(cat.findField(QStringLiteral("CollNr")), nullptr);
    EXPECT_EQ(cat.findField(QStringLiteral("id05")), nullptr); // the kind is compared exactly
    EXPECT_THROW(cat.findField(QStringLiteral("1099")), CatalogueError);

    // display codes: "+" always shown, "J" shown, "N" offered but hidden, "-" never offered
    struct Flags {
        const char* name;
        bool visible, offered, always;
    } flags[] = {{"1002", true, true, true},
                 {"1003", true, true, false},
                 {"1006", false, true, false},
                 {"1001", false, false, false}};
    for (const Flags& f : flags) {
        const RecordField* x = cat.findField(QString::fromLatin1(f.name));
        EXPECT_EQ(x->visibleByDefault, f.visible) << f.name;
        EXPECT_EQ(x->offered, f.offered) << f.name;
        EXPECT_EQ(x->alwaysShown, f.always) << f.name;
    }
}

TEST_F(Catalogue, PickValuesDecodeAndEncode) {
    struct Case {
        const char* field;
        const char* code;
        const char* text;
    } cases[] = {{"1008", "0", "Man"},
                 {"1008", "3", "Man"},
                 {"1008", "x", "Man"},
                 {"1008", "2", "Vrouw"},
                 {"1024", " ", "Standaardverzekering"},
                 {"1024", "z", "Ziekenfonds"},
                 {"5002", "9", ""},
                 {"1002", "Vries", "Vries"},
                 {"Extra", "7", "7"}};
    for (const Case& c : cases)
        EXPECT_EQ(cat.decodePickValue(QString::fromLatin1(c.field), QString::fromLatin1(c.code)),
                  QString::fromLatin1(c.text))
            << c.field << " " << c.code;
    EXPECT_EQ(cat.encodePickValue(QStringLiteral("5002"), QStringLiteral("MUT")), QStringLiteral("2"));
    EXPECT_EQ(cat.encodePickValue(QStringLiteral("5002"), QStringLiteral("mut")), QStringLiteral("mut"));
    EXPECT_EQ(cat.encodePickValue(QStringLiteral("1024"), QStringLiteral("Standaardverzekering")),
              QStringLiteral(" "));
    QStringList items;
    EXPECT_EQ(cat.fillPickList(items, QStringLiteral("5002"), false), 3);
    EXPECT_EQ(items, (QStringList{QStringLiteral("PROL"), QStringLiteral("MUT"), QStringLiteral("HAND")}));
    EXPECT_EQ(cat.fillPickList(items, QStringLiteral("5012"), true), 0);
    EXPECT_TRUE(items.isEmpty());
}

TEST_F(Catalogue, KeyFieldDisplayIsExactlyJ) {
    EXPECT_TRUE(cat.isKeyFieldShown(QStringLiteral("1005")));
    EXPECT_FALSE(cat.isKeyFieldShown(QStringLiteral("1006")));
    db->execute(QStringLiteral("update FieldDisplay set Tonen = 'j' where Soort = '10' and VeldNr = '05'"));
    cat.loadFieldDisplay(*db);
    EXPECT_FALSE(cat.isKeyFieldShown(QStringLiteral("1005")));
}

TEST_F(Catalogue, SelectFieldListStartsWithShownKeyFields) {
    const QString list = cat.selectFieldList(QStringLiteral("10"));
    EXPECT_TRUE(list.startsWith(
        QStringLiteral("bord10.[ID04], bord10.[ID05], bord10.[ID07], bord10.[1002], bord10.[1003]")))
        << list.toStdString();
    EXPECT_FALSE(list.contains(QStringLiteral("[1001]")));
    EXPECT_TRUE(list.contains(QStringLiteral("bord10.[1006]")));
    EXPECT_TRUE(list.endsWith(QStringLiteral("bord10.[1026]")));
}

TEST_F(Catalogue, PrepareFieldsAndDescribesFields) {
    DataSet ds = persons();
    cat.prepareFields(ds, QStringLiteral("10"), false);
    struct Case {
        const char* name;
        const char* label;
        bool visible;
    } cases[] = {{"ID04", "Werknemernr.", true},
                 {"ID06", "Regelnr.", false},
                 {"1002", "Achternaam", true},
                 {"1026", "Inkomensafh. bijdrage", false},
                 {"Extra", "Extra", true}};
    for (const Case& c : cases) {
        const DataField* f = ds.findField(QString::fromLatin1(c.name));
        EXPECT_EQ(f->displayLabel, QString::fromUtf8(c.label)) << c.name;
        EXPECT_EQ(f->visible, c.visible) << c.name;
    }
    EXPECT_EQ(ds.displayText(QStringLiteral("1008")), QStringLiteral("Vrouw"));
    EXPECT_EQ(ds.displayText(QStringLiteral("1024")), QStringLiteral("Standaardverzekering"));
    EXPECT_EQ(ds.displayText(QStringLiteral("1026")), QStringLiteral("1,50"));
    cat.prepareFields(ds, QStringLiteral("10"), true);
    EXPECT_TRUE(ds.findField(QStringLiteral("ID06"))->visible);
}

TEST_F(Catalogue, GridColumnsFollowTheStoredFieldOrder) {
    DataSet ds = persons();
    cat.prepareFields(ds, QStringLiteral("10"), false);
    auto columns = cat.buildGridColumns(ds, false, QStringLiteral("1003=1,1002=0,9999=1,1008=2"));
    EXPECT_EQ(names(ds).mid(0, 3),
              (QStringList{QStringLiteral("1003"), QStringLiteral("1002"), QStringLiteral("1008")}));
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].fieldName, QStringLiteral("1003"));
    EXPECT_FALSE(ds.findField(QStringLiteral("1002"))->visible);
    EXPECT_TRUE(ds.findField(QStringLiteral("1008"))->visible); // flag 2: shown, without a column

    DataSet all = persons();
    cat.prepareFields(all, QStringLiteral("10"), false);
    columns = cat.buildGridColumns(all, true, QString());
    ASSERT_GE(columns.size(), 3u);
    EXPECT_EQ(columns[0].fieldIndex, -1);
    EXPECT_EQ(columns[0].title, QStringLiteral(" "));
    EXPECT_EQ(columns[0].widthPixels, 20);
    const auto it = std::find_if(columns.begin(), columns.end(),
                                 [](const GridColumn& c) { return c.fieldName == QStringLiteral("1002"); });
    ASSERT_NE(it, columns.end());
    EXPECT_EQ(it->widthChars, 35);
    const auto pick = std::find_if(columns.begin(), columns.end(),
                                   [](const GridColumn& c) { return c.fieldName == QStringLiteral("1008"); });
    EXPECT_EQ(pick->pickList, (QStringList{QStringLiteral("1=Man"), QStringLiteral("2=Vrouw")}));
    EXPECT_EQ(pick->fieldLength, 1);
    EXPECT_EQ(columns[0].fieldLength, 0); // the marker column
}

TEST_F(Catalogue, FieldOrderTexts) {
    DataSet ds = persons();
    cat.prepareFields(ds, QStringLiteral("10"), false);
    EXPECT_EQ(RecordCatalogue::visibleFieldOrder(ds),
              QStringLiteral("ID04=1,ID05=1,1002=1,1003=1,1008=1,1024=1,Extra=1"));
    EXPECT_EQ(
        RecordCatalogue::missingFieldOrder(ds, QStringLiteral("ID04=1,1002=0,1003=1,1008=1,1024=1,Extra=0")),
        QStringLiteral("ID05=0"));
    EXPECT_EQ(RecordCatalogue::missingFieldOrder(ds, RecordCatalogue::visibleFieldOrder(ds)), QString());
}
