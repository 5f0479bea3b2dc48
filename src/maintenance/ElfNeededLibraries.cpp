#include "ElfNeededLibraries.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>

namespace ostrapel {

namespace {

// Reads fields of a file image in its own byte order; out of range reads give 0.
class Image {
public:
    Image(const QByteArray& bytes, bool bigEndian) : b_(bytes), big_(bigEndian) {}
    quint64 u(quint64 offset, int size) const {
        if (offset > quint64(b_.size()) || quint64(b_.size()) - offset < quint64(size)) return 0;
        const auto* p = reinterpret_cast<const uchar*>(b_.constData() + offset);
        switch (size) {
        case 2:
            return big_ ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
        case 4:
            return big_ ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
        default:
            return big_ ? qFromBigEndian<quint64>(p) : qFromLittleEndian<quint64>(p);
        }
    }
    QString text(quint64 offset) const {
        if (offset >= quint64(b_.size())) return {};
        const char* start = b_.constData() + offset;
        const auto* end =
            static_cast<const char*>(std::memchr(start, 0, size_t(b_.size() - qsizetype(offset))));
        return end ? QString::fromUtf8(start, end - start) : QString();
    }

private:
    const QByteArray& b_;
    bool big_;
};

struct Segment {
    quint64 type, offset, vaddr, filesz;
};

} // namespace

ElfNeededLibraries::ElfNeededLibraries(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return;
    // Mapped, not read: an executable with debug information can be large.
    const uchar* mapped = file.map(0, file.size());
    if (!mapped) return;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), file.size());
    if (bytes.size() < 52 || !bytes.startsWith("\x7f"
                                               "ELF"))
        return;
    const bool is64 = bytes[4] == 2;
    const Image img(bytes, bytes[5] == 2);
    const int word = is64 ? 8 : 4;
    const quint64 phoff = img.u(is64 ? 0x20 : 0x1C, word);
    const quint64 phentsize = img.u(is64 ? 0x36 : 0x2A, 2);
    const quint64 phnum = img.u(is64 ? 0x38 : 0x2C, 2);

    QList<Segment> segments;
    for (quint64 i = 0; i < phnum; ++i) {
        const quint64 h = phoff + i * phentsize;
        if (is64)
            segments.push_back({img.u(h, 4), img.u(h + 8, 8), img.u(h + 16, 8), img.u(h + 32, 8)});
        else
            segments.push_back({img.u(h, 4), img.u(h + 4, 4), img.u(h + 8, 4), img.u(h + 16, 4)});
    }
    elf_ = true;
    constexpr quint64 PtLoad = 1, PtDynamic = 2;
    constexpr quint64 DtNull = 0, DtNeeded = 1, DtStrtab = 5, DtRpath = 15, DtRunpath = 29;
    // Dynamic entries name addresses; the loadable segments map them to file positions.
    auto filePos = [&](quint64 address) -> quint64 {
        for (const Segment& s : segments)
            if (s.type == PtLoad && address >= s.vaddr && address - s.vaddr < s.filesz)
                return address - s.vaddr + s.offset;
        return quint64(-1);
    };
    for (const Segment& dyn : segments) {
        if (dyn.type != PtDynamic) continue;
        QList<quint64> needed;
        quint64 strtab = 0, rpath = quint64(-1), runpath = quint64(-1);
        for (quint64 e = dyn.offset; e + 2 * word <= dyn.offset + dyn.filesz; e += 2 * word) {
            const quint64 tag = img.u(e, word), value = img.u(e + word, word);
            if (tag == DtNull) break;
            if (tag == DtNeeded) needed << value;
            if (tag == DtStrtab) strtab = filePos(value);
            if (tag == DtRpath) rpath = value;
            if (tag == DtRunpath) runpath = value;
        }
        if (strtab == quint64(-1)) continue;
        for (quint64 n : needed) {
            const QString name = img.text(strtab + n);
            if (!name.isEmpty() && !names_.contains(name)) names_ << name;
        }
        const quint64 path = runpath != quint64(-1) ? runpath : rpath;
        if (path != quint64(-1)) {
            const QString origin = QFileInfo(fileName).absolutePath();
            for (QString dir : img.text(strtab + path).split(u':', Qt::SkipEmptyParts))
                runPath_ << dir.replace(QStringLiteral("$ORIGIN"), origin);
        }
    }
    std::sort(names_.begin(), names_.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

} // namespace ostrapel
