#include "SettingsStore.h"

#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace ostrapel {

namespace {

const QString kSettings = QStringLiteral("Settings");

void saved(bool ok, const IniFile& file) {
    if (!ok)
        throw SettingsError(
            QStringLiteral("De instellingen konden niet worden opgeslagen in \"%1\".").arg(file.path()));
}

} // namespace

SettingsStore::SettingsStore(const QString& programDir)
    : programDir_(withTrailingSlash(networkPath(programDir))), settingsDir_(programDir_ + kSettings + u'/'),
      computerFile_(settingsDir_ + QStringLiteral("CMP_") + computerName() + QStringLiteral(".ini")),
      userFile_(settingsDir_ + QStringLiteral("USR_") + userName() + QStringLiteral(".ini")) {
    QDir().mkpath(settingsDir_);
}

QStringList SettingsStore::refusedFiles() const {
    QStringList out;
    for (const IniFile* f : {&computerFile_, &userFile_})
        if (f->refused()) out << f->path();
    return out;
}

SettingsStore::~SettingsStore() {
    if (restoreDefaultsOnExit) QFile::remove(userFile_.path());
}

QString SettingsStore::readString(const QString& key, const QString& def, const QString& section) const {
    return userFile_.readString(section, key, def);
}
int SettingsStore::readInteger(const QString& key, int def, const QString& section) const {
    return userFile_.readInteger(section, key, def);
}
bool SettingsStore::readBool(const QString& key, bool def, const QString& section) const {
    return userFile_.readBool(section, key, def);
}
void SettingsStore::writeString(const QString& key, const QString& value, const QString& section) {
    saved(userFile_.writeString(section, key, value), userFile_);
}
void SettingsStore::writeInteger(const QString& key, int value, const QString& section) {
    saved(userFile_.writeInteger(section, key, value), userFile_);
}
void SettingsStore::writeBool(const QString& key, bool value, const QString& section) {
    saved(userFile_.writeBool(section, key, value), userFile_);
}
void SettingsStore::writeComputerString(const QString& key, const QString& value, const QString& section) {
    saved(computerFile_.writeString(section, key, value), computerFile_);
}

QString SettingsStore::readComputerString(const QString& key, const QString& def,
                                          const QString& section) const {
    return computerFile_.readString(section, key, def);
}

QString SettingsStore::computerName() {
    try {
        return computerName(QSysInfo::machineHostName());
    } catch (...) {
        return QStringLiteral("OnbekendeComputer");
    }
}

QString SettingsStore::computerName(const QString& hostName) {
    return hostName.left(15);
}

QString SettingsStore::userName() {
    try {
        if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
            return QString::fromLocal8Bit(pw->pw_name).left(256);
        const QString env = qEnvironmentVariable("USER");
        return env.isEmpty() ? QStringLiteral("Local") : env.left(256);
    } catch (...) {
        return QStringLiteral("Local");
    }
}

} // namespace ostrapel
