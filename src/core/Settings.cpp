#include "Settings.h"

#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace ostrapel {

namespace {

const QString kSettings = QStringLiteral("Settings");

} // namespace

TBasisStaticSettings::TBasisStaticSettings(const QString& programDir)
    : programDir_(WithTrailingSlash(NetworkPath(programDir))), settingsDir_(programDir_ + kSettings + u'/'),
      computerFile_(settingsDir_ + QStringLiteral("CMP_") + ComputerName() + QStringLiteral(".ini")),
      userFile_(settingsDir_ + QStringLiteral("USR_") + UserName() + QStringLiteral(".ini")) {
    QDir().mkpath(settingsDir_);
}

TBasisStaticSettings::~TBasisStaticSettings() {
    if (RestoreDefaultsOnExit) QFile::remove(userFile_.path());
}

QString TBasisStaticSettings::ReadString(const QString& key, const QString& def,
                                         const QString& section) const {
    return userFile_.readString(section, key, def);
}
int TBasisStaticSettings::ReadInteger(const QString& key, int def, const QString& section) const {
    return userFile_.readInteger(section, key, def);
}
bool TBasisStaticSettings::ReadBool(const QString& key, bool def, const QString& section) const {
    return userFile_.readBool(section, key, def);
}
void TBasisStaticSettings::WriteString(const QString& key, const QString& value, const QString& section) {
    userFile_.writeString(section, key, value);
}
void TBasisStaticSettings::WriteInteger(const QString& key, int value, const QString& section) {
    userFile_.writeInteger(section, key, value);
}
void TBasisStaticSettings::WriteBool(const QString& key, bool value, const QString& section) {
    userFile_.writeBool(section, key, value);
}
void TBasisStaticSettings::WriteComputerString(const QString& key, const QString& value,
                                               const QString& section) {
    computerFile_.writeString(section, key, value);
}

QString TBasisStaticSettings::ComputerName() {
    try {
        return QSysInfo::machineHostName();
    } catch (...) {
        return QStringLiteral("OnbekendeComputer");
    }
}

QString TBasisStaticSettings::UserName() {
    try {
        if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
            return QString::fromLocal8Bit(pw->pw_name).left(256);
        const QString env = qEnvironmentVariable("USER");
        return env.isEmpty() ? QStringLiteral("Local") : env.left(256);
    } catch (...) {
        return QStringLiteral("Local");
    }
}

// Main window keys
#define OSTRAPEL_INT_KEY(Name, Default)                                                                      \
    int TStaticSettings::Name() const {                                                                      \
        return ReadInteger(QStringLiteral(#Name), Default);                                                  \
    }                                                                                                        \
    void TStaticSettings::Set##Name(int v) {                                                                 \
        WriteInteger(QStringLiteral(#Name), v);                                                              \
    }
#define OSTRAPEL_BOOL_KEY(Name, Default)                                                                     \
    bool TStaticSettings::Name() const {                                                                     \
        return ReadBool(QStringLiteral(#Name), Default);                                                     \
    }                                                                                                        \
    void TStaticSettings::Set##Name(bool v) {                                                                \
        WriteBool(QStringLiteral(#Name), v);                                                                 \
    }
#define OSTRAPEL_TEXT_KEY(Name)                                                                              \
    QString TStaticSettings::Name() const {                                                                  \
        return ReadString(QStringLiteral(#Name), QString());                                                 \
    }                                                                                                        \
    void TStaticSettings::Set##Name(const QString& v) {                                                      \
        WriteString(QStringLiteral(#Name), v);                                                               \
    }

OSTRAPEL_INT_KEY(MainFormHeight, 400)
OSTRAPEL_INT_KEY(MainFormWidth, 640)
OSTRAPEL_INT_KEY(MainFormLeft, -1)
OSTRAPEL_INT_KEY(MainFormTop, -1)
OSTRAPEL_BOOL_KEY(Maximized, false)
OSTRAPEL_BOOL_KEY(ToolbarMainMenuVisible, false)
OSTRAPEL_TEXT_KEY(MRUList)
OSTRAPEL_TEXT_KEY(OpenMDIWindows)
OSTRAPEL_TEXT_KEY(ExportFields10)
OSTRAPEL_TEXT_KEY(ExportFields50)
OSTRAPEL_TEXT_KEY(LastImportDir)
OSTRAPEL_BOOL_KEY(SamengesteldeAchternaam, false)

#undef OSTRAPEL_INT_KEY
#undef OSTRAPEL_BOOL_KEY
#undef OSTRAPEL_TEXT_KEY

QString TStaticSettings::TelNrHelpdesk() const {
    return ReadString(QStringLiteral("TelNrHelpdesk"), QStringLiteral("onbekend"));
}

void TStaticSettings::SetThousandSeparator(const QString& v) {
    WriteComputerString(QStringLiteral("ThousandSeparator"), v);
}
void TStaticSettings::SetDecimalSeparator(const QString& v) {
    WriteComputerString(QStringLiteral("DecimalSeparator"), v);
}
void TStaticSettings::SetADOConnectionString(const QString& v) {
    WriteComputerString(QStringLiteral("ADOConnectionString"), v);
}

QString TStaticSettings::FolderUnderProgram(const QString& name) const {
    const QString folder = ProgramDir() + name + u'/';
    QDir().mkpath(folder); // a folder that cannot be made stays missing; its user reports the error
    return WithTrailingSlash(NetworkPath(folder));
}

QString TStaticSettings::ErrorLogsDir() const {
    return FolderUnderProgram(QStringLiteral("ErrorLogs"));
}
QString TStaticSettings::ExportDir() const {
    return FolderUnderProgram(QStringLiteral("Export"));
}
QString TStaticSettings::ImportDir() const {
    return FolderUnderProgram(QStringLiteral("Import"));
}
QString TStaticSettings::InfoDir() const {
    return FolderUnderProgram(QStringLiteral("Info"));
}
QString TStaticSettings::PluginsDir() const {
    return FolderUnderProgram(QStringLiteral("Plugins"));
}
QString TStaticSettings::SqlScriptsDir() const {
    return FolderUnderProgram(QStringLiteral("SqlScripts"));
}
QString TStaticSettings::HelpDir() const {
    return FolderUnderProgram(QStringLiteral("Help"));
}
QString TStaticSettings::SettingsFolder() const {
    return FolderUnderProgram(kSettings);
}

QString TStaticSettings::TempDir() {
    const QString dir = WithTrailingSlash(QDir::tempPath());
    QDir().mkpath(dir);
    return dir;
}

void TStaticSettings::CreateProgramFolders() const {
    for (const char* name : {"ErrorLogs", "Settings", "Export", "Import", "Plugins", "Info", "SqlScripts"})
        FolderUnderProgram(QString::fromLatin1(name));
    TempDir();
}

QString WindowKey(int collNr, int collVolgNr) {
    return QStringLiteral("%1%2").arg(collNr, 4, 10, QChar(u'0')).arg(collVolgNr, 3, 10, QChar(u'0'));
}

WindowKeyParts ParseWindowKey(const QString& key) {
    return {key.left(4).toInt(), key.mid(4, 3).toInt()};
}

QString WindowSection(const QString& windowKey) {
    return QStringLiteral("MDI_") + windowKey;
}

namespace {
std::unique_ptr<TStaticSettings>& settingsInstance() {
    static std::unique_ptr<TStaticSettings> instance;
    return instance;
}
} // namespace

TStaticSettings& StaticSettings() {
    auto& s = settingsInstance();
    if (!s) s = std::make_unique<TStaticSettings>(ExecutableDir());
    return *s;
}

void InitStaticSettings(const QString& programDir) {
    settingsInstance() = std::make_unique<TStaticSettings>(programDir);
}

void DestroyStaticSettings() {
    settingsInstance().reset();
}

} // namespace ostrapel
