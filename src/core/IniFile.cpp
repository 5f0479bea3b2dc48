#include "IniFile.h"

#include "Encoding.h"
#include "FileWriter.h"
#include "OstrapelError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace ostrapel {

namespace {

QString decodeLine(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeCp1252(bytes) : text;
}

QByteArray encodeLine(const QString& text) {
    const QByteArray cp1252 = encodeCp1252(text);
    return decodeCp1252(cp1252) == text ? cp1252 : text.toUtf8();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {
    reload();
}

IniFile::Line IniFile::parse(QByteArray bytes, bool inSection) {
    Line l;
    l.bytes = std::move(bytes);
    const QString line = decodeLine(l.bytes).trimmed();
    if (line.isEmpty() || line.startsWith(u';')) return l;
    if (line.startsWith(u'[')) {
        const qsizetype close = line.indexOf(u']');
        l.kind = Line::Header;
        l.name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return l;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (!inSection || eq <= 0) return l;
    l.kind = Line::Entry;
    l.name = line.left(eq).trimmed();
    l.value = line.mid(eq + 1).trimmed();
    if (l.value.size() >= 2 && l.value.startsWith(u'"') && l.value.endsWith(u'"'))
        l.value = l.value.mid(1, l.value.size() - 2);
    return l;
}

void IniFile::reload() {
    lines_.clear();
    finalLineFeed_ = true;
    refused_ = false;
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return;
    if (f.size() > kMaxSize) {
        refused_ = true;
        return;
    }
    QList<QByteArray> raw = f.readAll().split('\n');
    finalLineFeed_ = raw.last().isEmpty();
    if (finalLineFeed_) raw.removeLast();
    bool inSection = false;
    for (QByteArray& bytes : raw) {
        lines_.push_back(parse(std::move(bytes), inSection));
        inSection = inSection || lines_.back().kind == Line::Header;
    }
}

qsizetype IniFile::find(const QString& section, const QString& key) const {
    bool inside = false;
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const Line& l = lines_[size_t(i)];
        if (l.kind == Line::Header)
            inside = sameName(l.name, section);
        else if (inside && l.kind == Line::Entry && sameName(l.name, key))
            return i;
    }
    return -1;
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    return find(section, key) >= 0;
}

QStringList IniFile::sectionNames() const {
    QStringList out;
    for (const Line& l : lines_)
        if (l.kind == Line::Header &&
            std::none_of(out.cbegin(), out.cend(), [&](const QString& n) { return sameName(n, l.name); }))
            out << l.name;
    return out;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    const qsizetype at = find(section, key);
    return at < 0 ? def : lines_[size_t(at)].value;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const {
    const qsizetype at = find(section, key);
    if (at < 0) return def;
    bool ok = false;
    const int v = lines_[size_t(at)].value.toInt(&ok, 10);
    return ok ? v : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

// A new line in the file's own line ending.
QByteArray IniFile::newLine(const QString& text) const {
    const bool crlf = !lines_.empty() && lines_.front().bytes.endsWith('\r');
    return encodeLine(text) + (crlf ? "\r" : "");
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    if (const qsizetype at = find(section, key); at >= 0) {
        Line& l = lines_[size_t(at)];
        if (l.value == value) return true;
        // the key keeps its spelling and the line its ending
        const bool cr = l.bytes.endsWith('\r');
        l.bytes = encodeLine(l.name + u'=' + value) + (cr ? "\r" : "");
        l.value = value;
    } else {
        // after the last entry of the first section of that name, or a new section at the end
        qsizetype insertAt = -1;
        bool inside = false;
        for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
            const Line& l = lines_[size_t(i)];
            if (l.kind == Line::Header) {
                if (insertAt >= 0) break;
                inside = sameName(l.name, section);
                if (inside) insertAt = i + 1;
            } else if (inside && l.kind == Line::Entry) {
                insertAt = i + 1;
            }
        }
        Line entry{newLine(key + u'=' + value), Line::Entry, key, value};
        if (insertAt >= 0) {
            lines_.insert(lines_.begin() + insertAt, std::move(entry));
        } else {
            if (!lines_.empty() && !decodeLine(lines_.back().bytes).trimmed().isEmpty())
                lines_.push_back({newLine(QString()), Line::Other, {}, {}});
            lines_.push_back({newLine(u'[' + section + u']'), Line::Header, section, {}});
            lines_.push_back(std::move(entry));
            finalLineFeed_ = true;
        }
    }
    return save();
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::eraseSection(const QString& section) {
    std::vector<Line> kept;
    bool erasing = false;
    for (Line& l : lines_) {
        if (l.kind == Line::Header) erasing = sameName(l.name, section);
        if (!erasing) kept.push_back(std::move(l));
    }
    lines_ = std::move(kept);
    return save();
}

bool IniFile::save() const {
    // A refused file stays as it is; its values live for this run only.
    if (refused_) return true;
    QByteArray bytes;
    for (const Line& l : lines_)
        bytes += l.bytes + '\n';
    if (!finalLineFeed_ && !bytes.isEmpty()) bytes.chop(1);
    QDir().mkpath(QFileInfo(path_).absolutePath());
    try {
        FileWriter::writeFile(path_, bytes);
    } catch (const OstrapelError&) {
        return false;
    }
    return true;
}

} // namespace ostrapel
