// The delivered database: the catalogue rows of the record layout, and statement
// tables whose columns follow the catalogue, since inserts are positional.
#include "TestProgramDir.h"
#include "core/DataSet.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

struct LayoutRow {
    const char* soort;
    const char* veldNr;
    int van;
    int lengte;
    char type;
    const char* tonen;
    const char* display;
    const char* pickList;
};

const LayoutRow kLayout[] = {
    {"ID", "01", 1, 6, 'N', "J", "Collectiviteitnr.", ""},
    {"ID", "02", 7, 3, 'N', "J", "Volgnr.", ""},
    {"ID", "03", 10, 7, 'A', "J", "Factuurmaand", ""},
    {"ID", "04", 17, 10, 'A', "J", "Werknemernr.", ""},
    {"ID", "05", 27, 10, 'A', "J", "Verz. eenheid", ""},
    {"ID", "06", 37, 6, 'N', "N", "Regelnr.", ""},
    {"ID", "07", 43, 10, 'A', "J", "Klantnr.", ""},
    {"ID", "08", 53, 2, 'A', "J", "Recordsoort", ""},
    {"ID", "09", 55, 1, 'A', "N", "Verwerkingscode", ""},
    {"00", "01", 56, 1, 'A', "-", "Reserve", ""},
    {"00", "02", 57, 10, 'A', "J", "Debiteurnr.", ""},
    {"00", "03", 67, 40, 'A', "+", "Naam collectiviteit", ""},
    {"00", "04", 107, 30, 'A', "J", "Contactpersoon", ""},
    {"00", "05", 137, 30, 'A', "J", "Straat", ""},
    {"00", "06", 167, 6, 'A', "J", "Huisnummer", ""},
    {"00", "07", 173, 6, 'A', "J", "Postcode", ""},
    {"00", "08", 179, 24, 'A', "J", "Plaats", ""},
    {"00", "09", 203, 15, 'A', "N", "Telefoonnummer", ""},
    {"00", "10", 218, 10, 'A', "J", "Contractnummer", ""},
    {"00", "11", 228, 10, 'D', "J", "Ingangsdatum contract", ""},
    {"00", "12", 238, 1, 'A', "J", "Betaalwijze", "A=Automatische incasso;O=Overschrijving"},
    {"00", "13", 239, 18, 'A', "N", "Rekeningnummer", ""},
    {"00", "14", 257, 12, 'A', "J", "Factuurnummer", ""},
    {"00", "15", 269, 10, 'D', "J", "Factuurdatum", ""},
    {"00", "16", 279, 10, 'D', "J", "Vervaldatum", ""},
    {"00", "17", 289, 5, 'S', "N", "Korting %", ""},
    {"00", "18", 294, 3, 'A', "J", "Valuta", ""},
    {"00", "19", 297, 20, 'A', "N", "Relatiebeheerder", ""},
    {"00", "20", 317, 2, 'N', "N", "Bestandsversie", ""},
    {"10", "01", 56, 1, 'A', "-", "Reserve", ""},
    {"10", "02", 57, 30, 'A', "+", "Achternaam", ""},
    {"10", "03", 87, 8, 'A', "J", "Voorletters", ""},
    {"10", "04", 95, 10, 'A', "J", "Voorvoegsels", ""},
    {"10", "05", 105, 10, 'D', "J", "Geboortedatum", ""},
    {"10", "06", 115, 9, 'A', "N", "BSN", ""},
    {"10", "07", 124, 1, 'A', "J", "Relatie", "H=Hoofdverzekerde;P=Partner;K=Kind"},
    {"10", "08", 125, 1, 'N', "J", "Geslacht", "1=Man;2=Vrouw"},
    {"10", "09", 126, 10, 'D', "J", "Ingangsdatum", ""},
    {"10", "10", 136, 10, 'D', "N", "Einddatum", ""},
    {"10", "11", 146, 12, 'A', "N", "Polisnummer", ""},
    {"10", "12", 158, 30, 'A', "N", "Straat", ""},
    {"10", "13", 188, 6, 'A', "N", "Huisnummer", ""},
    {"10", "14", 194, 6, 'A', "N", "Toevoeging", ""},
    {"10", "15", 200, 20, 'A', "N", "Adresaanvulling", ""},
    {"10", "16", 220, 6, 'A', "N", "Postcode", ""},
    {"10", "17", 226, 24, 'A', "J", "Woonplaats", ""},
    {"10", "18", 250, 3, 'A', "N", "Landcode", ""},
    {"10", "19", 253, 20, 'A', "N", "Land", ""},
    {"10", "20", 273, 30, 'A', "N", "Achternaam partner", ""},
    {"10", "21", 303, 10, 'A', "N", "Voorvoegsels partner", ""},
    {"10", "22", 313, 1, 'A', "N", "Samengestelde naam", ""},
    {"10", "23", 314, 10, 'A', "N", "Afdeling", ""},
    {"10", "24", 324, 1, 'A', "J", "Verzekering", "P=Particulier;Z=Ziekenfonds; =Standaardverzekering"},
    {"10", "25", 325, 7, 'S', "N", "Vrijwillig eigen risico", ""},
    {"10", "26", 332, 11, 'S', "N", "Inkomensafh. bijdrage", ""},
    {"50", "01", 56, 1, 'A', "-", "Reserve", ""},
    {"50", "02", 57, 1, 'A', "J", "Herkomst", "1=PROL;2=MUT;3=HAND"},
    {"50", "03", 58, 2, 'A', "J", "Soort", ""},
    {"50", "04", 60, 6, 'A', "J", "Componentcode", ""},
    {"50", "05", 66, 4, 'A', "J", "Tariefgroep", ""},
    {"50", "06", 70, 3, 'A', "N", "Leeftijdsklasse", ""},
    {"50", "07", 73, 30, 'A', "N", "Component (ZKF/PRT)", ""},
    {"50", "08", 103, 11, 'S', "+", "Bedrag", ""},
    {"50", "09", 114, 10, 'D', "J", "Van", ""},
    {"50", "10", 124, 10, 'D', "J", "Tot", ""},
    {"50", "11", 134, 1, 'A', "J", "Betaler", "C=Collectiviteit;V=Verzekerde"},
    {"50", "12", 135, 40, 'A', "J", "Premiecomponent", ""},
    {"99", "01", 56, 1, 'A', "-", "Reserve", ""},
    {"99", "02", 57, 10, 'D', "J", "Aanmaak datum", ""},
    {"99", "03", 67, 7, 'N', "J", "# Records", ""},
    {"99", "04", 74, 7, 'N', "J", "# Personen", ""},
    {"99", "05", 81, 13, 'S', "J", "Totaal bedrag", ""},
    {"99", "06", 94, 13, 'S', "J", "Tot. inc. coll.", ""},
    {"99", "07", 107, 13, 'S', "J", "Tot. inc. verz.", ""},
    {"99", "08", 120, 15, 'A', "J", "Tel. nr. helpdesk", ""},
};

class DeliveredDatabase : public ::testing::Test {
protected:
    test::TestProgramDir dir;
    std::unique_ptr<Connection> db = dir.connect();
};

} // namespace

TEST_F(DeliveredDatabase, RecStructHoldsEveryFieldOfTheLayout) {
    DataSet rs = db->query(QStringLiteral("select * from RecStruct order by Soort, VeldNr"));
    ASSERT_EQ(rs.recordCount(), int(std::size(kLayout)));
    for (const LayoutRow& row : kLayout) {
        SCOPED_TRACE(std::string(row.soort) + row.veldNr);
        SqlStatement& q =
            db->prepare(QStringLiteral("select Van, Tot, Lengte, Type, Tonen, Display, PickList "
                                       "from RecStruct where Soort = :s and VeldNr = :v"));
        q.bind({{QStringLiteral("s"), QString::fromLatin1(row.soort)},
                {QStringLiteral("v"), QString::fromLatin1(row.veldNr)}});
        q.exec();
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toInt(), row.van);
        EXPECT_EQ(q.value(1).toInt(), row.van + row.lengte - 1);
        EXPECT_EQ(q.value(2).toInt(), row.lengte);
        EXPECT_EQ(q.value(3).toString(), QString(QChar::fromLatin1(row.type)));
        EXPECT_EQ(q.value(4).toString(), QString::fromUtf8(row.tonen));
        EXPECT_EQ(q.value(5).toString(), QString::fromUtf8(row.display));
        EXPECT_EQ(q.value(6).toString(), QString::fromUtf8(row.pickList));
    }
}

TEST_F(DeliveredDatabase, StatementTableColumnsFollowTheCatalogueInOrder) {
    for (const QString& kind :
         {QStringLiteral("00"), QStringLiteral("10"), QStringLiteral("50"), QStringLiteral("99")}) {
        SCOPED_TRACE(kind.toStdString());
        QStringList expected;
        DataSet ids =
            db->query(QStringLiteral("select VeldNr from RecStruct where Soort = 'ID' order by VeldNr"));
        for (ids.first(); !ids.eof(); ids.next())
            expected << QStringLiteral("ID") + ids.value(QStringLiteral("VeldNr")).toString();
        DataSet fields =
            db->query(QStringLiteral("select Soort, VeldNr from RecStruct where Soort = :k order by VeldNr"),
                      {{QStringLiteral("k"), kind}});
        for (fields.first(); !fields.eof(); fields.next())
            expected << kind + fields.value(QStringLiteral("VeldNr")).toString();
        EXPECT_EQ(db->columnNames(QStringLiteral("bord") + kind), expected);
    }
}

TEST_F(DeliveredDatabase, FieldDisplayVersionAndFilterTables) {
    EXPECT_EQ(db->scalar(QStringLiteral("select count(*) from FieldDisplay")).toInt(), 36);
    const QStringList shown = {QStringLiteral("0001"), QStringLiteral("0002"), QStringLiteral("0003"),
                               QStringLiteral("1004"), QStringLiteral("1005"), QStringLiteral("1007"),
                               QStringLiteral("5003"), QStringLiteral("9903")};
    DataSet fd = db->query(
        QStringLiteral("select Soort, VeldNr from FieldDisplay where Tonen = 'J' order by Soort, VeldNr"));
    QStringList actual;
    for (fd.first(); !fd.eof(); fd.next())
        actual << fd.value(QStringLiteral("Soort")).toString() +
                      fd.value(QStringLiteral("VeldNr")).toString();
    EXPECT_EQ(actual, shown);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT VERSIENR FROM VERSIECTRL")).toInt(), 1);
    for (const char* table : {"Filters", "FilterCrits", "bord00", "BORD10", "Bord50", "bord99", "recstruct"})
        EXPECT_TRUE(db->hasTable(QString::fromLatin1(table))) << table;

    // FilterId numbers itself
    db->execute(QStringLiteral("insert into Filters (FilterNaam, GemaaktDoor) values ('a', 'b')"));
    db->execute(QStringLiteral("insert into Filters (FilterNaam, GemaaktDoor) values ('c', 'd')"));
    EXPECT_EQ(db->scalar(QStringLiteral("select max(FilterId) from Filters")).toInt(), 2);
}

TEST_F(DeliveredDatabase, QueriesOfTheListsUseIndexes) {
    OSTRAPEL_SQLITE_ONLY("SQLite's query plans");
    struct Case {
        const char* sql;
        const char* index;
    } cases[] = {
        {"select * from bord50 where ID01 = 1 and ID02 = 1 and ID07 = 'x'", "IDX_BORD50_PERSON"},
        {"select * from bord50 where ID05 = 'x'", "IDX_BORD50_ID05"},
        {"select 1 from bord10 b where b.ID07 = 'x' and [1024] in (' ')", "IDX_BORD10_ID07"},
        {"select * from bord99 where ID01 = 1 and ID02 = 1 and ID03 = '2006-01'", "IDX_BORD99_COLL"},
        {"select distinct [5012] from bord50 where ID01 = 1 and ID02 = 1 and [5012] <> ''",
         "IDX_BORD50_COMPONENT_SET"},
    };
    for (const Case& c : cases) {
        QSqlQuery q(db->database());
        ASSERT_TRUE(q.exec(QStringLiteral("explain query plan ") + QString::fromLatin1(c.sql)));
        QString plan;
        while (q.next())
            plan += q.value(3).toString() + u'\n';
        EXPECT_TRUE(plan.contains(QString::fromLatin1(c.index))) << c.sql << "\n" << plan.toStdString();
    }
    EXPECT_EQ(
        db->scalar(QStringLiteral(
                       "select count(*) from sqlite_master where name = 'IDX_BORD10_ID01_ID02_ID07_1024'"))
            .toInt(),
        0);
}
