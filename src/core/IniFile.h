#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace ostrapel {

// A profile (INI) file as Windows programs know it: "[Section]" lines and
// "key=value" lines, section and key names without regard to case, integers in
// decimal, booleans "1"/"0" (any non-zero number reads true), and a missing or
// unreadable value giving the caller's default. Every write saves the file at
// once through a temporary file renamed over the old one.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    bool hasKey(const QString& section, const QString& key) const;
    QStringList sectionNames() const;

    // false when the file could not be written (the value is kept in memory)
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeBool(const QString& section, const QString& key, bool value);
    bool eraseSection(const QString& section);

    void reload();

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    const Entry* find(const QString& section, const QString& key) const;
    bool save() const;

    QString path_;
    std::vector<Section> sections_;
};

} // namespace ostrapel
