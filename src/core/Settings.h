#pragma once

#include "IniFile.h"

#include <QString>
#include <memory>

namespace ostrapel {

// Settings files in the Settings folder: every read and write goes to the user
// file "USR_<user>.ini"; the computer file "CMP_<computer>.ini" is only written.
class TBasisStaticSettings {
public:
    explicit TBasisStaticSettings(const QString& programDir);
    virtual ~TBasisStaticSettings();

    QString ProgramDir() const { return programDir_; }
    QString SettingsDir() const { return settingsDir_; }
    QString ComputerFile() const { return computerFile_.path(); }
    QString UserFile() const { return userFile_.path(); }

    QString ReadString(const QString& key, const QString& def, const QString& section = kMain) const;
    int ReadInteger(const QString& key, int def, const QString& section = kMain) const;
    bool ReadBool(const QString& key, bool def, const QString& section = kMain) const;
    void WriteString(const QString& key, const QString& value, const QString& section = kMain);
    void WriteInteger(const QString& key, int value, const QString& section = kMain);
    void WriteBool(const QString& key, bool value, const QString& section = kMain);
    void WriteComputerString(const QString& key, const QString& value, const QString& section = kMain);

    static QString ComputerName();
    static QString UserName();

    // Set by "Terug naar standaard instellingen": the user file is deleted at destruction.
    bool RestoreDefaultsOnExit = false;

    inline static const QString kMain = QStringLiteral("Main");

private:
    QString programDir_;
    QString settingsDir_;
    IniFile computerFile_;
    IniFile userFile_;
};

class TStaticSettings : public TBasisStaticSettings {
public:
    using TBasisStaticSettings::TBasisStaticSettings;

    // Main window
    int MainFormHeight() const;
    void SetMainFormHeight(int v);
    int MainFormWidth() const;
    void SetMainFormWidth(int v);
    int MainFormLeft() const;
    void SetMainFormLeft(int v);
    int MainFormTop() const;
    void SetMainFormTop(int v);
    bool Maximized() const;
    void SetMaximized(bool v);
    bool ToolbarMainMenuVisible() const;
    void SetToolbarMainMenuVisible(bool v);
    QString MRUList() const;
    void SetMRUList(const QString& v);
    QString OpenMDIWindows() const;
    void SetOpenMDIWindows(const QString& v);
    QString ExportFields10() const;
    void SetExportFields10(const QString& v);
    QString ExportFields50() const;
    void SetExportFields50(const QString& v);
    QString LastImportDir() const;
    void SetLastImportDir(const QString& v);
    bool SamengesteldeAchternaam() const;
    void SetSamengesteldeAchternaam(bool v);
    QString TelNrHelpdesk() const;

    // Computer file, written at every start and never read
    void SetThousandSeparator(const QString& v);
    void SetDecimalSeparator(const QString& v);
    void SetADOConnectionString(const QString& v);

    // Folders under the program folder, created when missing, with a trailing "/"
    QString ErrorLogsDir() const;
    QString ExportDir() const;
    QString ImportDir() const;
    QString InfoDir() const;
    QString PluginsDir() const;
    QString SqlScriptsDir() const;
    QString HelpDir() const;
    QString SettingsFolder() const; // SettingsDir, created when missing
    static QString TempDir();
    // Makes sure every folder of the program and the temporary folder exist.
    void CreateProgramFolders() const;
    QString FolderUnderProgram(const QString& name) const;
};

// Keys of a collectivity window's section; each is read with the window's
// current value as default, except ToonComponenten (default true).
namespace WindowSettingKeys {
inline const QString Maximized = QStringLiteral("Maximized");
inline const QString Width = QStringLiteral("Width");
inline const QString Height = QStringLiteral("Height");
inline const QString Top = QStringLiteral("Top");
inline const QString Left = QStringLiteral("Left");
inline const QString ToonTbl10Detail = QStringLiteral("ToonTbl10Detail");
inline const QString ToonTbl50Detail = QStringLiteral("ToonTbl50Detail");
inline const QString FieldOrder10 = QStringLiteral("FieldOrder10");
inline const QString FieldOrder50 = QStringLiteral("FieldOrder50");
inline const QString IndexField10 = QStringLiteral("IndexField10");
inline const QString IndexField50 = QStringLiteral("IndexField50");
inline const QString ToonComponenten = QStringLiteral("Tooncomponenten");
inline const QString PremiePeriode = QStringLiteral("PremiePeriode");
inline const QString PremiePeriodeS = QStringLiteral("PremiePeriodeS");
inline const QString ComponentStaat = QStringLiteral("ComponentStaat");
inline const QString CompHerkomst = QStringLiteral("CompHerkomst");
inline const QString CompSoort = QStringLiteral("CompSoort");
inline const QString CompComponent = QStringLiteral("CompComponent");
// The period key of a window of the given insurance type.
inline const QString& PeriodKey(int verzType) {
    return verzType == 1 ? PremiePeriode : PremiePeriodeS;
}
} // namespace WindowSettingKeys

// Section of one collectivity window: "MDI_" + window key.
QString WindowSection(const QString& windowKey);
// "0012001" for collectivity 12, sequence number 1.
QString WindowKey(int collNr, int collVolgNr);
// A window key read back: characters 1-4 the collectivity number, 5-7 the sequence number.
struct WindowKeyParts {
    int collNr = 0;
    int collVolgNr = 0;
};
WindowKeyParts ParseWindowKey(const QString& key);

// The process's settings object: created on first use for the executable's
// folder, or for the folder given to InitStaticSettings (tests, tools).
TStaticSettings& StaticSettings();
void InitStaticSettings(const QString& programDir);
void DestroyStaticSettings();

} // namespace ostrapel
