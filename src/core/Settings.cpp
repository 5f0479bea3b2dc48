#include "Settings.h"

#include "Paths.h"

#include <QDir>
#include <QFile>
#include <algorithm>

namespace ostrapel {

// Main window keys
#define OSTRAPEL_INT_KEY(getter, setter, key, Default)                                                       \
    int Settings::getter() const {                                                                           \
        return readInteger(QStringLiteral(key), Default);                                                    \
    }                                                                                                        \
    void Settings::setter(int v) {                                                                           \
        writeInteger(QStringLiteral(key), v);                                                                \
    }
#define OSTRAPEL_BOOL_KEY(getter, setter, key, Default)                                                      \
    bool Settings::getter() const {                                                                          \
        return readBool(QStringLiteral(key), Default);                                                       \
    }                                                                                                        \
    void Settings::setter(bool v) {                                                                          \
        writeBool(QStringLiteral(key), v);                                                                   \
    }
#define OSTRAPEL_TEXT_KEY(getter, setter, key)                                                               \
    QString Settings::getter() const {                                                                       \
        return readString(QStringLiteral(key), QString());                                                   \
    }                                                                                                        \
    void Settings::setter(const QString& v) {                                                                \
        writeString(QStringLiteral(key), v);                                                                 \
    }

OSTRAPEL_INT_KEY(mainFormHeight, setMainFormHeight, "MainFormHeight", 400)
OSTRAPEL_INT_KEY(mainFormWidth, setMainFormWidth, "MainFormWidth", 640)
OSTRAPEL_INT_KEY(mainFormLeft, setMainFormLeft, "MainFormLeft", -1)
OSTRAPEL_INT_KEY(mainFormTop, setMainFormTop, "MainFormTop", -1)
OSTRAPEL_BOOL_KEY(maximized, setMaximized, "Maximized", false)
OSTRAPEL_BOOL_KEY(toolbarMainMenuVisible, setToolbarMainMenuVisible, "ToolbarMainMenuVisible", false)
OSTRAPEL_TEXT_KEY(mruList, setMRUList, "MRUList")
OSTRAPEL_TEXT_KEY(openMDIWindows, setOpenMDIWindows, "OpenMDIWindows")
OSTRAPEL_TEXT_KEY(exportFields10, setExportFields10, "ExportFields10")
OSTRAPEL_TEXT_KEY(exportFields50, setExportFields50, "ExportFields50")
OSTRAPEL_TEXT_KEY(lastImportDir, setLastImportDir, "LastImportDir")
OSTRAPEL_BOOL_KEY(compoundSurname, setCompoundSurname, "SamengesteldeAchternaam", false)

#undef OSTRAPEL_INT_KEY
#undef OSTRAPEL_BOOL_KEY
#undef OSTRAPEL_TEXT_KEY

QString Settings::helpdeskPhoneNumber() const {
    return readString(QStringLiteral("TelNrHelpdesk"), QStringLiteral("onbekend"));
}

void Settings::setThousandSeparator(const QString& v) {
    writeComputerString(QStringLiteral("ThousandSeparator"), v);
}
void Settings::setDecimalSeparator(const QString& v) {
    writeComputerString(QStringLiteral("DecimalSeparator"), v);
}
void Settings::setConnectionStringInUse(const QString& v) {
    writeComputerString(QStringLiteral("ADOConnectionString"), v);
}

QString Settings::databaseConnectionString() const {
    return readComputerString(QStringLiteral("ConnectionString"), {}, QStringLiteral("Database")).trimmed();
}
void Settings::setDatabaseConnectionString(const QString& v) {
    writeComputerString(QStringLiteral("ConnectionString"), v, QStringLiteral("Database"));
}

QString Settings::folderUnderProgram(const QString& name) const {
    const QString folder = programDir() + name + u'/';
    QDir().mkpath(folder); // a folder that cannot be made stays missing; its user reports the error
    return withTrailingSlash(networkPath(folder));
}

QString Settings::errorLogsDir() const {
    return folderUnderProgram(QStringLiteral("ErrorLogs"));
}
QString Settings::exportDir() const {
    return folderUnderProgram(QStringLiteral("Export"));
}
QString Settings::importDir() const {
    return folderUnderProgram(QStringLiteral("Import"));
}
QString Settings::infoDir() const {
    return folderUnderProgram(QStringLiteral("Info"));
}
QString Settings::pluginsDir() const {
    return folderUnderProgram(QStringLiteral("Plugins"));
}
QString Settings::sqlScriptsDir() const {
    return folderUnderProgram(QStringLiteral("SqlScripts"));
}
QString Settings::helpDir() const {
    return folderUnderProgram(QStringLiteral("Help"));
}
QString Settings::settingsFolder() const {
    return folderUnderProgram(QStringLiteral("Settings"));
}

QString Settings::tempDir() {
    const QString dir = withTrailingSlash(QDir::tempPath());
    QDir().mkpath(dir);
    return dir;
}

void Settings::createProgramFolders() const {
    for (const char* name : {"ErrorLogs", "Settings", "Export", "Import", "Plugins", "Info", "SqlScripts"})
        folderUnderProgram(QString::fromLatin1(name));
    tempDir();
}

QString windowSection(const QString& windowKey) {
    return QStringLiteral("MDI_") + windowKey;
}

} // namespace ostrapel
