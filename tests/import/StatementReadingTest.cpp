// Reading statement lines: line ends, field cutting and the conversion rules.
#include "ImportFixture.h"
#include "core/Encoding.h"
#include "import/StatementFields.h"
#include "import/StatementFile.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

using namespace ostrapel;

TEST(StatementFileTest, LineEnds) {
    struct Case {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\nb\n", {"a\nb\n"}}, // line feeds alone end nothing
        {"a\r\nb\x1a\r\nc\r\n", {"a", "b"}},
        {"a\r\r\nb\r", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {"\xe9t\xe9\r\n", {QString::fromUtf8("été")}},
        {"\x80\r\n", {QString::fromUtf8("€")}},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("f.dat"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(readStatementLines(path), c.lines) << c.bytes.toStdString();
        // the import's own split of the bytes, line for line
        const QByteArray bytes = readStatementBytes(path);
        QStringList split;
        for (const QByteArrayView line : splitStatementLines(bytes))
            split << decodeCp1252(line);
        EXPECT_EQ(split, c.lines) << c.bytes.toStdString();
    }
    const QString missing = dir.filePath(QStringLiteral("missing.dat"));
    try {
        readStatementLines(missing);
        ADD_FAILURE() << "read a missing file";
    } catch (const OstrapelError& e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("Het bestand \"%1\" kan niet worden gelezen: ").arg(missing)));
    }
}

TEST(StatementFieldsTest, Conversions) {
    struct Case {
        const char* rec;
        const char* nr;
        char type;
        const char* raw;
        QVariant expected;
    } cases[] = {
        {"50", "02", 'A', "m", QStringLiteral("2")},
        {"50", "02", 'A', "I", QStringLiteral("1")},
        {"50", "02", 'A', "X", QStringLiteral("X")},
        {"10", "02", 'A', "I", QStringLiteral("I")},
        {"10", "02", 'A', "  Vries \t", QStringLiteral("Vries")},
        {"50", "08", 'S', "0000150", 1.5},
        {"50", "08", 'S', "12 ", 0.0},
        {"50", "08", 'S', "  -35", -0.35},
        {"50", "08", 'S', "+0000012345", 123.45},
        {"50", "08", 'S', "", 0.0},
        {"ID", "01", 'N', "000012", 12},
        {"ID", "01", 'N', "99999999999", 0},
        {"ID", "01", 'N', "1 2", 0},
        {"50", "09", 'D', "2004-12-31", QDate(2004, 12, 31)},
        {"50", "09", 'D', "31.12.2004", QDate(2004, 12, 31)},
        {"50", "09", 'D', " 2004- 1- 2-  ", QDate(2004, 1, 2)},
        {"50", "09", 'D', "0000-00-00", QVariant()},
        {"50", "09", 'D', "20041231  ", QVariant()},
        {"50", "09", 'D', "          ", QVariant()},
        {"50", "09", 'X', "abc", QVariant()},
    };
    for (const Case& c : cases) {
        const QVariant v = convertFieldValue(QString::fromLatin1(c.rec), QString::fromLatin1(c.nr),
                                             QChar::fromLatin1(c.type), QString::fromLatin1(c.raw));
        EXPECT_EQ(v, c.expected) << c.rec << c.nr << " '" << c.raw << "'";
    }
    EXPECT_EQ(readStatementDate(QStringLiteral("31.12.04")).year(), 2004);
}

TEST(StatementFieldsTest, TwoDigitYearsFallInTheHundredYearsFromFiftyBack) {
    struct Case {
        const char* raw;
        int currentYear;
        int year;
    } cases[] = {
        {"76-01-01", 2026, 1976}, {"75-01-01", 2026, 2075},   {"31.12.76", 2026, 1976},
        {"31.12.75", 2026, 2075}, {"00-06-30", 2026, 2000},   {"50-01-01", 2000, 1950},
        {"49-01-01", 2000, 2049}, {"1976-01-01", 2126, 1976},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readStatementDate(QString::fromLatin1(c.raw), c.currentYear).year(), c.year)
            << c.raw << " in " << c.currentYear;
        EXPECT_EQ(convertFieldValue(QStringLiteral("50"), QStringLiteral("09"), u'D',
                                    QString::fromLatin1(c.raw), c.currentYear)
                      .toDate()
                      .year(),
                  c.year);
    }
}

class LineReading : public test::ImportFixture {};

TEST_F(LineReading, FieldTextAndShortLines) {
    const QString line = statement(12, QStringLiteral("2006-01"), {}, true)[0];
    EXPECT_EQ(recordTypeOf(catalogue, line), QStringLiteral("00"));
    EXPECT_EQ(fieldText(catalogue, line, QStringLiteral("ID01")), QStringLiteral("000012"));
    EXPECT_EQ(fieldText(catalogue, line, QStringLiteral("0003")), QStringLiteral("Test BV"));
    EXPECT_EQ(fieldText(catalogue, line, QStringLiteral("XY01")), QStringLiteral("-1"));
    EXPECT_THROW(fieldText(catalogue, line, QStringLiteral("0099")), CatalogueError);
    const QString shortLine = line.left(60);
    EXPECT_EQ(fieldText(catalogue, shortLine, QStringLiteral("0003")), QString());
    EXPECT_EQ(rawFieldText(shortLine, 57, 10), shortLine.mid(56));
    // a text field the line does not reach is empty text, not no value
    const QVariant missing =
        convertFieldValue(QStringLiteral("00"), QStringLiteral("03"), u'A', rawFieldText(QString(), 57, 10));
    EXPECT_TRUE(missing.toString().isEmpty());
    EXPECT_FALSE(missing.toString().isNull()); // a null text is stored as NULL
}
