#include "core/Encoding.h"
#include "core/RunLog.h"
#include "core/SqlFragments.h"
#include "core/TextHelpers.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ostrapel;

TEST(TextHelpersTest, Tokens) {
    struct Case {
        const char* text;
        int count;
        const char* second;
    } cases[] = {{"", 0, ""},    {"a", 1, ""},    {"a;", 1, ""},
                 {";a", 2, "a"}, {"a;;b", 3, ""}, {"2005-01;2005-06", 2, "2005-06"}};
    for (const Case& c : cases) {
        EXPECT_EQ(tokenCount(QString::fromLatin1(c.text), u';'), c.count) << c.text;
        EXPECT_EQ(tokenAt(QString::fromLatin1(c.text), u';', 1), QString::fromLatin1(c.second)) << c.text;
    }
}

TEST(TextHelpersTest, ListsAndCommaText) {
    const QStringList map = {QStringLiteral("1002=[1002]"), QStringLiteral("ID04=ID04")};
    EXPECT_EQ(valueOrName(QStringLiteral("1002"), map), QStringLiteral("[1002]"));
    EXPECT_EQ(valueOrName(QStringLiteral("1003"), map), QStringLiteral("1003"));
    EXPECT_EQ(firstCommaItem(QStringLiteral(" 1002 ,1003")), QStringLiteral("1002"));
    EXPECT_EQ(firstCommaItem(QString()), QString());
    EXPECT_EQ(readCommaText(QStringLiteral("1002=1,\"a b=0\",1003=2")),
              (QStringList{QStringLiteral("1002=1"), QStringLiteral("a b=0"), QStringLiteral("1003=2")}));
    EXPECT_EQ(writeCommaText({QStringLiteral("1002=1"), QStringLiteral("a b")}),
              QStringLiteral("1002=1,\"a b\""));
}

// The program's own table reads every byte as the system's converter does,
// including the five the code page leaves undefined and a leading "BOM".
TEST(EncodingTest, DecodesEveryByteAsTheSystemConverter) {
    QByteArray all("\xEF\xBB\xBF");
    for (int b = 0; b < 256; ++b)
        all += char(b);
    QStringDecoder system("windows-1252");
    ASSERT_TRUE(system.isValid());
    const QString expected = system.decode(all);
    EXPECT_EQ(decodeCp1252(all), expected);
    EXPECT_EQ(decodeCp1252(QByteArrayView(all).sliced(3, 200)), expected.sliced(3, 200));
    EXPECT_EQ(encodeCp1252(decodeCp1252(all)), all);
    EXPECT_TRUE(decodeCp1252(QByteArray()).isEmpty());
}

TEST(SqlFragmentsTest, PeriodClauses) {
    struct Case {
        const char* setting;
        const char* persons;
        const char* components;
        const char* description;
    } cases[] = {
        {"", "AND 1=1", "AND 1=1", "Geen periode ingesteld"},
        {"2005-01;2005-01",
         "AND EXISTS(SELECT ID01 FROM BORD50 WHERE (BORD10.ID05 = BORD50.ID05) and (BORD50.[ID03] = "
         "'2005-01'))",
         "AND BORD50.[ID03] = '2005-01'", "Maand 2005-01"},
        {"2005-01;2005-06",
         "AND EXISTS(SELECT ID01 FROM BORD50 WHERE (BORD10.ID05 = BORD50.ID05) and ((BORD50.[ID03] >= "
         "'2005-01') and (BORD50.[ID03] <= '2005-06')))",
         "AND BORD50.[ID03] >= '2005-01' and BORD50.[ID03] <= '2005-06'", "Periode 2005-01 tot 2005-06"},
        {"2006-01",
         "AND EXISTS(SELECT ID01 FROM BORD50 WHERE (BORD10.ID05 = BORD50.ID05) and (BORD50.[ID03] >= "
         "'2006-01'))",
         "AND BORD50.[ID03] >= '2006-01'", "Periode 2006-01 tot nu"},
        // not a period: no period at all rather than SQL built from it
        {"2006-01' or ''='", "AND 1=1", "AND 1=1", "Geen periode ingesteld"},
        {"2006-01;2006-02' --", "AND 1=1", "AND 1=1", "Geen periode ingesteld"},
        {"2006-1", "AND 1=1", "AND 1=1", "Geen periode ingesteld"},
        {"2006-01;", "AND 1=1", "AND 1=1", "Geen periode ingesteld"},
        {"2006-01;2006-02;2006-03", "AND 1=1", "AND 1=1", "Geen periode ingesteld"},
    };
    for (const Case& c : cases) {
        const PeriodClauses p = buildPeriodClauses(QString::fromLatin1(c.setting));
        EXPECT_EQ(p.persons, QString::fromLatin1(c.persons)) << c.setting;
        EXPECT_EQ(p.components, QString::fromLatin1(c.components)) << c.setting;
        EXPECT_EQ(p.description, QString::fromLatin1(c.description)) << c.setting;
        EXPECT_EQ(p.bord10Form,
                  QString(p.components).replace(QStringLiteral("BORD50"), QStringLiteral("BORD10")));
    }
}

TEST(SqlFragmentsTest, TypesAndCaption) {
    EXPECT_EQ(typeCodeList(InsuranceType::SicknessFundOrPrivate), QStringLiteral("'Z', 'P'"));
    EXPECT_EQ(typeCodeList(InsuranceType::Standard), QStringLiteral("' '"));
    EXPECT_EQ(componentNameColumn(InsuranceType::SicknessFundOrPrivate), QStringLiteral("[5007]"));
    EXPECT_EQ(componentNameColumn(InsuranceType::Standard), QStringLiteral("[5012]"));
    // the stored numbers: only 1 and 2 are a type
    EXPECT_EQ(insuranceTypeFromStored(1), InsuranceType::SicknessFundOrPrivate);
    EXPECT_EQ(insuranceTypeFromStored(2), InsuranceType::Standard);
    for (const int stored : {-1, 0, 3})
        EXPECT_EQ(insuranceTypeFromStored(stored), std::nullopt) << stored;
    EXPECT_EQ(toStored(InsuranceType::Standard), 2);
    EXPECT_EQ(collectivityCaption({12, 1}, QStringLiteral("SV"), QStringLiteral("Test")),
              QStringLiteral("0012-1 SV: Test"));
}

TEST(CollectivityKeyTest, TextReadBack) {
    EXPECT_EQ((CollectivityKey{12, 1}).text(), QStringLiteral("12-1"));
    EXPECT_EQ(CollectivityKey::parse(QStringLiteral("12-1")), (CollectivityKey{12, 1}));
    EXPECT_EQ(CollectivityKey::parse(QStringLiteral("123456-100")), (CollectivityKey{123456, 100}));
    for (const char* wrong : {"", "12", "12-", "-1", "12-1-1", "a-1", "12-b", "12/1"})
        EXPECT_EQ(CollectivityKey::parse(QString::fromLatin1(wrong)), std::nullopt) << wrong;
    EXPECT_LT((CollectivityKey{12, 9}), (CollectivityKey{13, 1}));
    EXPECT_LT((CollectivityKey{12, 1}), (CollectivityKey{12, 2}));
}

TEST(RunLogTest, LinesOfOneDayShareAFile) {
    QTemporaryDir dir;
    const QString base = dir.path() + u'/';
    writeRunLog(QStringLiteral("eerste fout"), false, base, true);
    writeRunLog(QStringLiteral("tweede fout"), false, base, false);
    const QStringList files = QDir(base + QStringLiteral("log")).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(files[0], QStringLiteral("log") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                            QStringLiteral(".txt"));
    QFile f(base + QStringLiteral("log/") + files[0]);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(
        lines[0].contains(QRegularExpression(QStringLiteral(R"(^\d\d:\d\d:\d\d\.\d\d\d : eerste fout$)"))));
    EXPECT_EQ(lines[1], QStringLiteral("tweede fout"));
}

// The run log in the temporary folder lies in a folder of the user's own and
// never follows a link planted for it.
TEST(RunLogTest, TheTemporaryFolderLogIsPrivateAndFollowsNoLink) {
    QTemporaryDir tmp;
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));
    const QString own = tmp.filePath(QStringLiteral("ostrapel-%1").arg(geteuid()));
    const QString logFile = own + QStringLiteral("/log/log") +
                            QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                            QStringLiteral(".txt");
    const QString victim = tmp.filePath(QStringLiteral("slachtoffer"));
    QFile v(victim);
    ASSERT_TRUE(v.open(QIODevice::WriteOnly));
    v.write("van een ander\n");
    v.close();

    writeRunLog(QStringLiteral("eerste fout"));
    EXPECT_EQ(privateTempFolder(), own + u'/');
    struct stat st {};
    ASSERT_EQ(lstat(QFile::encodeName(own).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_TRUE(QFile::exists(logFile));

    // a link in the log file's place: refused, its target untouched
    QFile::remove(logFile);
    ASSERT_TRUE(QFile::link(victim, logFile));
    EXPECT_THROW(writeRunLog(QStringLiteral("tweede fout")), std::runtime_error);
    // the user's folder opened to others is closed again
    ASSERT_EQ(chmod(QFile::encodeName(own).constData(), 0777), 0);
    QFile::remove(logFile);
    writeRunLog(QStringLiteral("derde fout"));
    ASSERT_EQ(lstat(QFile::encodeName(own).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // the folder's name taken by a link to a folder someone else chose
    ASSERT_TRUE(QDir(own).removeRecursively());
    ASSERT_TRUE(QFile::link(tmp.path(), own));
    EXPECT_THROW(writeRunLog(QStringLiteral("vierde fout")), std::runtime_error);
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("log"))));

    ASSERT_TRUE(v.open(QIODevice::ReadOnly));
    EXPECT_EQ(v.readAll(), "van een ander\n");
    if (oldTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTmp);
}
