#include "core/Settings.h"
#include "core/CollectivityKey.h"
#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

using namespace ostrapel;

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

} // namespace

TEST(IniFileTest, ReadsLikeAProfileFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    writeFile(path, "[Main]\r\nMainFormHeight=abc\r\nWidth = 12 \r\nFlag=7\r\nOff=0\r\nQuoted=\"x "
                    "y\"\r\n[MDI_0012001]\nIndexField10=\n");
    IniFile ini(path);
    struct IntCase {
        const char* section;
        const char* key;
        int def;
        int expected;
    } ints[] = {{"main", "mainformheight", 400, 400},
                {"MAIN", "WIDTH", 0, 12},
                {"Main", "Missing", -1, -1},
                {"Other", "Width", 5, 5}};
    for (const IntCase& c : ints)
        EXPECT_EQ(ini.readInteger(QString::fromLatin1(c.section), QString::fromLatin1(c.key), c.def),
                  c.expected)
            << c.key;
    EXPECT_TRUE(ini.readBool(QStringLiteral("Main"), QStringLiteral("Flag"), false));
    EXPECT_FALSE(ini.readBool(QStringLiteral("Main"), QStringLiteral("Off"), true));
    EXPECT_TRUE(ini.readBool(QStringLiteral("Main"), QStringLiteral("MainFormHeight"), true));
    EXPECT_EQ(ini.readString(QStringLiteral("Main"), QStringLiteral("Quoted"), {}), QStringLiteral("x y"));
    EXPECT_EQ(
        ini.readString(QStringLiteral("mdi_0012001"), QStringLiteral("IndexField10"), QStringLiteral("d")),
        QString());
}

TEST(IniFileTest, WritesThroughATemporaryFileAndKeepsOtherValues) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/b.ini"));
    {
        IniFile ini(path);
        EXPECT_TRUE(ini.writeInteger(QStringLiteral("Main"), QStringLiteral("A"), 1));
        EXPECT_TRUE(ini.writeBool(QStringLiteral("main"), QStringLiteral("B"), true));
        EXPECT_TRUE(ini.writeString(QStringLiteral("MAIN"), QStringLiteral("a"), QStringLiteral("2")));
    }
    IniFile again(path);
    EXPECT_EQ(again.readInteger(QStringLiteral("Main"), QStringLiteral("A"), 0), 2);
    EXPECT_EQ(again.readString(QStringLiteral("Main"), QStringLiteral("B"), {}), QStringLiteral("1"));
    EXPECT_EQ(again.sectionNames(), QStringList{QStringLiteral("Main")});
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files),
              QStringList{QStringLiteral("b.ini")});
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A write changes the line of its key and nothing else: Windows-1252 texts, line
// endings, comments, quotes and keys the program never writes stay as stored.
TEST(IniFileTest, AWriteKeepsEveryOtherByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("USR_a.ini"));
    const QByteArray before = "; beheerder\r\n[Main]\r\nTelNrHelpdesk=Ren\xe9 020-1234567\r\n"
                              "MainFormHeight=400\r\nQuoted = \"x y\" \r\nTelNrHelpdesk=tweede\r\n\r\n"
                              "[MDI_0012001]\r\nCompSoort=Pr\xe9mie\r\n";
    writeFile(path, before);
    IniFile ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("Main"), QStringLiteral("TelNrHelpdesk"), {}),
              QStringLiteral("René 020-1234567"));
    EXPECT_EQ(ini.readString(QStringLiteral("MDI_0012001"), QStringLiteral("CompSoort"), {}),
              QStringLiteral("Prémie"));
    ASSERT_TRUE(ini.writeInteger(QStringLiteral("Main"), QStringLiteral("mainformheight"), 512));
    QByteArray expected = before;
    expected.replace("MainFormHeight=400", "MainFormHeight=512");
    EXPECT_EQ(readFile(path), expected);

    // a new key goes to the end of its section, a new section to the end of the file
    ASSERT_TRUE(ini.writeString(QStringLiteral("Main"), QStringLiteral("LastImportDir"),
                                QStringLiteral("/home/één")));
    ASSERT_TRUE(ini.writeString(QStringLiteral("MDI_0013001"), QStringLiteral("IndexField10"),
                                QStringLiteral("1002")));
    expected.replace("TelNrHelpdesk=tweede\r\n", "TelNrHelpdesk=tweede\r\nLastImportDir=/home/\xe9\xe9n\r\n");
    expected += "\r\n[MDI_0013001]\r\nIndexField10=1002\r\n";
    EXPECT_EQ(readFile(path), expected);

    // a text Windows-1252 cannot hold is written in UTF-8, and a UTF-8 line reads as such
    ASSERT_TRUE(ini.writeString(QStringLiteral("Main"), QStringLiteral("LastImportDir"),
                                QStringLiteral("/home/łódź")));
    EXPECT_EQ(IniFile(path).readString(QStringLiteral("Main"), QStringLiteral("LastImportDir"), {}),
              QStringLiteral("/home/łódź"));
    EXPECT_EQ(IniFile(path).readString(QStringLiteral("Main"), QStringLiteral("TelNrHelpdesk"), {}),
              QStringLiteral("René 020-1234567"));
}

// A header that lost its "]" repeats a section: both are one, so a value
// written once is the value read, also after reading the file again.
TEST(IniFileTest, TwoSectionsOfOneNameAreOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("USR_a.ini"));
    writeFile(path, "[Main]\nMaximized=1\n[Main\nMainFormHeight=abc\nMaximized=0\n");
    IniFile ini(path);
    EXPECT_TRUE(ini.readBool(QStringLiteral("Main"), QStringLiteral("Maximized"), false));
    EXPECT_EQ(ini.readInteger(QStringLiteral("Main"), QStringLiteral("MainFormHeight"), 400), 400);
    ASSERT_TRUE(ini.writeInteger(QStringLiteral("Main"), QStringLiteral("MainFormHeight"), 300));
    ASSERT_TRUE(ini.writeBool(QStringLiteral("Main"), QStringLiteral("Maximized"), false));
    for (const IniFile& f : {ini, IniFile(path)}) {
        EXPECT_EQ(f.readInteger(QStringLiteral("Main"), QStringLiteral("MainFormHeight"), 400), 300);
        EXPECT_FALSE(f.readBool(QStringLiteral("Main"), QStringLiteral("Maximized"), true));
        EXPECT_EQ(f.sectionNames(), QStringList{QStringLiteral("Main")});
    }
    EXPECT_EQ(readFile(path), QByteArray("[Main]\nMaximized=0\n[Main\nMainFormHeight=300\nMaximized=0\n"));
    ASSERT_TRUE(ini.eraseSection(QStringLiteral("main")));
    EXPECT_TRUE(readFile(path).isEmpty());
}

// A settings file over 1 MB is neither read nor written.
TEST(SettingsTest, ASettingsFileOverOneMegabyteIsRefused) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Settings"));
    const QString user =
        dir.filePath(QStringLiteral("Settings/USR_") + SettingsStore::userName() + QStringLiteral(".ini"));
    const QByteArray big = "[Main]\nMainFormHeight=500\n" + QByteArray(IniFile::kMaxSize, ';');
    writeFile(user, big);
    Settings settings(dir.path());
    EXPECT_EQ(settings.refusedFiles(), QStringList{user});
    EXPECT_EQ(settings.mainFormHeight(), 400);
    settings.setMainFormHeight(600);
    EXPECT_EQ(settings.mainFormHeight(), 600); // for this run
    EXPECT_EQ(readFile(user), big);
}

TEST(SettingsTest, FirstStartDefaultsAndFiles) {
    QTemporaryDir dir;
    Settings s(dir.path());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Settings"))).exists());
    EXPECT_FALSE(QFile::exists(s.userFile()));
    EXPECT_EQ(s.mainFormHeight(), 400);
    EXPECT_EQ(s.mainFormWidth(), 640);
    EXPECT_EQ(s.mainFormLeft(), -1);
    EXPECT_EQ(s.mainFormTop(), -1);
    EXPECT_FALSE(s.maximized());
    EXPECT_FALSE(s.toolbarMainMenuVisible());
    EXPECT_FALSE(s.compoundSurname());
    EXPECT_EQ(s.helpdeskPhoneNumber(), QStringLiteral("onbekend"));
    EXPECT_EQ(s.mruList(), QString());

    s.setMRUList(QStringLiteral("0012001,0013002"));
    EXPECT_TRUE(s.userFile().endsWith(QStringLiteral("/Settings/USR_") + SettingsStore::userName() +
                                      QStringLiteral(".ini")));
    EXPECT_TRUE(QFile::exists(s.userFile()));
    s.setConnectionStringInUse(QStringLiteral("Provider=SQLite;Data Source=x"));
    IniFile computer(s.computerFile());
    EXPECT_EQ(computer.readString(QStringLiteral("Main"), QStringLiteral("ADOConnectionString"), {}),
              QStringLiteral("Provider=SQLite;Data Source=x"));
    EXPECT_FALSE(IniFile(s.userFile()).hasKey(QStringLiteral("Main"), QStringLiteral("ADOConnectionString")));

    s.writeString(QStringLiteral("MainFormHeight"), QStringLiteral("abc"));
    EXPECT_EQ(s.mainFormHeight(), 400);

    EXPECT_EQ(SettingsStore::computerName(QStringLiteral("PC12")), QStringLiteral("PC12"));
    EXPECT_EQ(SettingsStore::computerName(QStringLiteral("werkplek-administratie")),
              QStringLiteral("werkplek-admini"));
    EXPECT_LE(SettingsStore::computerName().size(), 15);
}

TEST(SettingsTest, RestoreDefaultsDeletesTheUserFileAtDestruction) {
    QTemporaryDir dir;
    QString userFile;
    {
        Settings s(dir.path());
        s.setMaximized(true);
        userFile = s.userFile();
        s.restoreDefaultsOnExit = true;
        s.setMainFormHeight(500); // written at close, still deleted
        EXPECT_TRUE(QFile::exists(userFile));
    }
    EXPECT_FALSE(QFile::exists(userFile));
    Settings again(dir.path());
    EXPECT_FALSE(again.maximized());
}

TEST(SettingsTest, FoldersAndWindowKeys) {
    QTemporaryDir dir;
    Settings s(dir.path());
    const QString program = QDir(dir.path()).canonicalPath() + u'/';
    EXPECT_EQ(s.programDir(), program);
    EXPECT_EQ(s.importDir(), program + QStringLiteral("Import/"));
    for (const QString& folder :
         {s.errorLogsDir(), s.exportDir(), s.infoDir(), s.pluginsDir(), s.sqlScriptsDir(), s.helpDir()})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    EXPECT_TRUE(Settings::tempDir().endsWith(u'/'));
    EXPECT_EQ((CollectivityKey{12, 1}.windowKey()), QStringLiteral("0012001"));
    EXPECT_EQ((CollectivityKey{123456, 1234}.windowKey()), QStringLiteral("1234561234"));
    // keys of six-digit collectivity numbers come back whole
    for (const auto& [nr, seq, key] :
         {std::tuple{12, 1, "0012001"}, std::tuple{9999, 100, "9999100"}, std::tuple{12345, 1, "12345001"},
          std::tuple{123456, 7, "123456007"}}) {
        EXPECT_EQ((CollectivityKey{nr, seq}.windowKey()), QString::fromLatin1(key));
        EXPECT_EQ(CollectivityKey::fromWindowKey(QString::fromLatin1(key)), (CollectivityKey{nr, seq}))
            << key;
    }
    EXPECT_EQ(windowSection(CollectivityKey{12, 1}.windowKey()), QStringLiteral("MDI_0012001"));

    // type 1 and type 2 windows keep their own period
    const QString section = windowSection(CollectivityKey{12, 1}.windowKey());
    s.writeString(WindowSettingKeys::periodKey(InsuranceType::SicknessFundOrPrivate),
                  QStringLiteral("2005-01;2005-06"), section);
    s.writeString(WindowSettingKeys::periodKey(InsuranceType::Standard), QStringLiteral("2006-01"), section);
    EXPECT_EQ(s.readString(QStringLiteral("PremiePeriode"), {}, section), QStringLiteral("2005-01;2005-06"));
    EXPECT_EQ(s.readString(QStringLiteral("PremiePeriodeS"), {}, section), QStringLiteral("2006-01"));
    EXPECT_TRUE(s.readBool(WindowSettingKeys::ToonComponenten, true, section));
}

TEST(SettingsTest, AWriteThatCannotBeSavedIsReported) {
    QTemporaryDir dir;
    Settings s(dir.path());
    ASSERT_TRUE(QDir().mkpath(s.userFile())); // a folder where the file should go
    try {
        s.setMainFormHeight(500);
        ADD_FAILURE() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("De instellingen konden niet worden opgeslagen in \"%1\".").arg(s.userFile()));
    }
    EXPECT_EQ(s.mainFormHeight(), 500); // kept for this run
    ASSERT_TRUE(QDir().mkpath(s.computerFile()));
    EXPECT_THROW(s.setDecimalSeparator(QStringLiteral(",")), SettingsError);
}
