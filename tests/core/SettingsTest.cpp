#include "core/Settings.h"
#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

TEST(SettingsTest, FirstStartDefaultsAndFiles) {
    QTemporaryDir dir;
    TStaticSettings s(dir.path());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Settings"))).exists());
    EXPECT_FALSE(QFile::exists(s.UserFile()));
    EXPECT_EQ(s.MainFormHeight(), 400);
    EXPECT_EQ(s.MainFormWidth(), 640);
    EXPECT_EQ(s.MainFormLeft(), -1);
    EXPECT_EQ(s.MainFormTop(), -1);
    EXPECT_FALSE(s.Maximized());
    EXPECT_FALSE(s.ToolbarMainMenuVisible());
    EXPECT_FALSE(s.SamengesteldeAchternaam());
    EXPECT_EQ(s.TelNrHelpdesk(), QStringLiteral("onbekend"));
    EXPECT_EQ(s.MRUList(), QString());

    s.SetMRUList(QStringLiteral("0012001,0013002"));
    EXPECT_TRUE(s.UserFile().endsWith(QStringLiteral("/Settings/USR_") + TBasisStaticSettings::UserName() +
                                      QStringLiteral(".ini")));
    EXPECT_TRUE(QFile::exists(s.UserFile()));
    s.SetADOConnectionString(QStringLiteral("Provider=SQLite;Data Source=x"));
    IniFile computer(s.ComputerFile());
    EXPECT_EQ(computer.readString(QStringLiteral("Main"), QStringLiteral("ADOConnectionString"), {}),
              QStringLiteral("Provider=SQLite;Data Source=x"));
    EXPECT_FALSE(IniFile(s.UserFile()).hasKey(QStringLiteral("Main"), QStringLiteral("ADOConnectionString")));

    s.WriteString(QStringLiteral("MainFormHeight"), QStringLiteral("abc"));
    EXPECT_EQ(s.MainFormHeight(), 400);
}

TEST(SettingsTest, RestoreDefaultsDeletesTheUserFileAtDestruction) {
    QTemporaryDir dir;
    QString userFile;
    {
        TStaticSettings s(dir.path());
        s.SetMaximized(true);
        userFile = s.UserFile();
        s.RestoreDefaultsOnExit = true;
        s.SetMainFormHeight(500); // written at close, still deleted
        EXPECT_TRUE(QFile::exists(userFile));
    }
    EXPECT_FALSE(QFile::exists(userFile));
    TStaticSettings again(dir.path());
    EXPECT_FALSE(again.Maximized());
}

TEST(SettingsTest, FoldersAndWindowKeys) {
    QTemporaryDir dir;
    TStaticSettings s(dir.path());
    const QString program = QDir(dir.path()).canonicalPath() + u'/';
    EXPECT_EQ(s.ProgramDir(), program);
    EXPECT_EQ(s.ImportDir(), program + QStringLiteral("Import/"));
    for (const QString& folder :
         {s.ErrorLogsDir(), s.ExportDir(), s.InfoDir(), s.PluginsDir(), s.SqlScriptsDir(), s.HelpDir()})
        EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
    EXPECT_TRUE(TStaticSettings::TempDir().endsWith(u'/'));
    EXPECT_EQ(WindowKey(12, 1), QStringLiteral("0012001"));
    EXPECT_EQ(WindowKey(123456, 1234), QStringLiteral("1234561234"));
    EXPECT_EQ(WindowSection(WindowKey(12, 1)), QStringLiteral("MDI_0012001"));

    // type 1 and type 2 windows keep their own period
    const QString section = WindowSection(WindowKey(12, 1));
    s.WriteString(WindowSettingKeys::PeriodKey(1), QStringLiteral("2005-01;2005-06"), section);
    s.WriteString(WindowSettingKeys::PeriodKey(2), QStringLiteral("2006-01"), section);
    EXPECT_EQ(s.ReadString(QStringLiteral("PremiePeriode"), {}, section), QStringLiteral("2005-01;2005-06"));
    EXPECT_EQ(s.ReadString(QStringLiteral("PremiePeriodeS"), {}, section), QStringLiteral("2006-01"));
    EXPECT_TRUE(s.ReadBool(WindowSettingKeys::ToonComponenten, true, section));
}
