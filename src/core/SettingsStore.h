#pragma once

#include "IniFile.h"
#include "SettingsError.h"

#include <QString>

namespace ostrapel {

// Settings files in the Settings folder: every read and write goes to the user
// file "USR_<user>.ini"; of the computer file "CMP_<computer>.ini" only the
// database's connection string is read.
// A write that cannot be saved throws SettingsError (the value is kept in memory).
class SettingsStore {
public:
    explicit SettingsStore(const QString& programDir);
    virtual ~SettingsStore();

    QString programDir() const { return programDir_; }
    QString settingsDir() const { return settingsDir_; }
    QString computerFile() const { return computerFile_.path(); }
    QString userFile() const { return userFile_.path(); }
    // The settings files too large to be read (IniFile::kMaxSize); they are left
    // as they are and this run keeps its settings in memory.
    QStringList refusedFiles() const;

    QString readString(const QString& key, const QString& def, const QString& section = kMain) const;
    int readInteger(const QString& key, int def, const QString& section = kMain) const;
    bool readBool(const QString& key, bool def, const QString& section = kMain) const;
    void writeString(const QString& key, const QString& value, const QString& section = kMain);
    void writeInteger(const QString& key, int value, const QString& section = kMain);
    void writeBool(const QString& key, bool value, const QString& section = kMain);
    void writeComputerString(const QString& key, const QString& value, const QString& section = kMain);
    QString readComputerString(const QString& key, const QString& def, const QString& section = kMain) const;

    // The host name, at most 15 characters (the computer name's length in the
    // computer settings file's name).
    static QString computerName();
    static QString computerName(const QString& hostName);
    static QString userName();

    // Set by "Terug naar standaard instellingen": the user file is deleted at destruction.
    bool restoreDefaultsOnExit = false;

    inline static const QString kMain = QStringLiteral("Main");

private:
    QString programDir_;
    QString settingsDir_;
    IniFile computerFile_;
    IniFile userFile_;
};

} // namespace ostrapel
