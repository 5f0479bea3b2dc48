#include "IniFile.h"

#include "FileWriter.h"
#include "OstrapelError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ostrapel {

IniFile::IniFile(QString path) : path_(std::move(path)) {
    reload();
}

void IniFile::reload() {
    sections_.clear();
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QString text = QString::fromUtf8(f.readAll());
    Section* current = nullptr;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';')) continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            sections_.push_back({line.mid(1, close < 0 ? -1 : close - 1).trimmed(), {}});
            current = &sections_.back();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq <= 0) continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        const QString key = line.left(eq).trimmed();
        bool seen = false;
        for (const Entry& e : current->entries)
            seen = seen || e.key.compare(key, Qt::CaseInsensitive) == 0;
        if (!seen) current->entries.push_back({key, value}); // the first of two equal keys counts
    }
}

const IniFile::Entry* IniFile::find(const QString& section, const QString& key) const {
    for (const Section& s : sections_) {
        if (s.name.compare(section, Qt::CaseInsensitive) != 0) continue;
        for (const Entry& e : s.entries)
            if (e.key.compare(key, Qt::CaseInsensitive) == 0) return &e;
    }
    return nullptr;
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    return find(section, key) != nullptr;
}

QStringList IniFile::sectionNames() const {
    QStringList out;
    for (const Section& s : sections_)
        out << s.name;
    return out;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const Entry* e = find(section, key);
    return e ? e->value : def;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    const Entry* e = find(section, key);
    if (!e) return def;
    bool ok = false;
    const int v = e->value.toInt(&ok, 10);
    return ok ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    Section* target = nullptr;
    for (Section& s : sections_)
        if (s.name.compare(section, Qt::CaseInsensitive) == 0) target = &s;
    if (!target) {
        sections_.push_back({section, {}});
        target = &sections_.back();
    }
    bool set = false;
    for (Entry& e : target->entries) {
        if (e.key.compare(key, Qt::CaseInsensitive) == 0) {
            e.value = value;
            set = true;
            break;
        }
    }
    if (!set) target->entries.push_back({key, value});
    return save();
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::eraseSection(const QString& section) {
    std::erase_if(sections_,
                  [&](const Section& s) { return s.name.compare(section, Qt::CaseInsensitive) == 0; });
    return save();
}

bool IniFile::save() const {
    QString text;
    for (const Section& s : sections_) {
        text += u'[' + s.name + QStringLiteral("]\n");
        for (const Entry& e : s.entries)
            text += e.key + u'=' + e.value + u'\n';
        text += u'\n';
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    try {
        FileWriter::writeFile(path_, text.toUtf8());
    } catch (const OstrapelError&) {
        return false;
    }
    return true;
}

} // namespace ostrapel
