#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace ostrapel {

// A profile (INI) file as Windows programs know it: "[Section]" lines and
// "key=value" lines, section and key names without regard to case, integers in
// decimal, booleans "1"/"0" (any non-zero number reads true), and a missing or
// unreadable value giving the caller's default. Every write saves the file at
// once through a temporary file renamed over the old one.
//
// The file is kept as its lines: a write replaces the one line of its key (or
// adds one), so every other line, comments and keys the program never writes
// included, stays byte for byte. Lines are Windows-1252, as such files are
// stored; a line that is valid UTF-8 (as earlier versions wrote) reads as
// UTF-8, and a value Windows-1252 cannot hold is written in UTF-8. Two
// sections of one name are one section: reads and writes take the first line
// of the key in either.
class IniFile {
public:
    // A larger file is neither read nor written: refused() tells.
    static constexpr qint64 kMaxSize = 1024 * 1024;

    explicit IniFile(QString path);

    const QString& path() const { return path_; }
    bool refused() const { return refused_; }

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
    struct Line {
        enum Kind { Other, Header, Entry };
        QByteArray bytes; // as stored, without the line feed
        Kind kind = Other;
        QString name;  // the section of a header, the key of an entry
        QString value; // of an entry
    };
    static Line parse(QByteArray bytes, bool inSection);
    qsizetype find(const QString& section, const QString& key) const;
    QByteArray newLine(const QString& text) const;
    bool save() const;

    QString path_;
    std::vector<Line> lines_;
    bool finalLineFeed_ = true;
    bool refused_ = false;
};

} // namespace ostrapel
