#pragma once

#include "InsuranceType.h"
#include "SettingsStore.h"

#include <QString>
#include <memory>

namespace ostrapel {

class Settings : public SettingsStore {
public:
    using SettingsStore::SettingsStore;

    // Main window
    int mainFormHeight() const;
    void setMainFormHeight(int v);
    int mainFormWidth() const;
    void setMainFormWidth(int v);
    int mainFormLeft() const;
    void setMainFormLeft(int v);
    int mainFormTop() const;
    void setMainFormTop(int v);
    bool maximized() const;
    void setMaximized(bool v);
    bool toolbarMainMenuVisible() const;
    void setToolbarMainMenuVisible(bool v);
    QString mruList() const;
    void setMRUList(const QString& v);
    QString openMDIWindows() const;
    void setOpenMDIWindows(const QString& v);
    QString exportFields10() const;
    void setExportFields10(const QString& v);
    QString exportFields50() const;
    void setExportFields50(const QString& v);
    QString lastImportDir() const;
    void setLastImportDir(const QString& v);
    bool compoundSurname() const;
    void setCompoundSurname(bool v);
    QString helpdeskPhoneNumber() const;

    // Computer file, written at every start
    void setThousandSeparator(const QString& v);
    void setDecimalSeparator(const QString& v);
    void setConnectionStringInUse(const QString& v);
    // A shared server's connection string ("Database", "ConnectionString"); when
    // set it is used instead of the program folder's database file.
    QString databaseConnectionString() const;
    void setDatabaseConnectionString(const QString& v);

    // Folders under the program folder, created when missing, with a trailing "/"
    QString errorLogsDir() const;
    QString exportDir() const;
    QString importDir() const;
    QString infoDir() const;
    QString pluginsDir() const;
    QString sqlScriptsDir() const;
    QString helpDir() const;
    QString settingsFolder() const; // SettingsDir, created when missing
    static QString tempDir();
    // Makes sure every folder of the program and the temporary folder exist.
    void createProgramFolders() const;
    QString folderUnderProgram(const QString& name) const;
};

// Keys of a collectivity window's section; each is read with the window's
// current value as default, except ToonComponenten (default true).
namespace WindowSettingKeys {
inline const QString maximized = QStringLiteral("Maximized");
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
inline const QString ToonComponenten = QStringLiteral("ToonComponenten");
inline const QString PremiePeriode = QStringLiteral("PremiePeriode");
inline const QString PremiePeriodeS = QStringLiteral("PremiePeriodeS");
inline const QString ComponentStaat = QStringLiteral("ComponentStaat");
inline const QString CompHerkomst = QStringLiteral("CompHerkomst");
inline const QString CompSoort = QStringLiteral("CompSoort");
inline const QString CompComponent = QStringLiteral("CompComponent");
// The period key of a window of the given insurance type.
inline const QString& periodKey(InsuranceType type) {
    return type == InsuranceType::SicknessFundOrPrivate ? PremiePeriode : PremiePeriodeS;
}
} // namespace WindowSettingKeys

// Section of one collectivity window: "MDI_" + window key.
QString windowSection(const QString& windowKey);

} // namespace ostrapel
