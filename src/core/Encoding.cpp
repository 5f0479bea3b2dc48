#include "Encoding.h"

#include <QStringEncoder>

namespace ostrapel {

namespace {

// The bytes 0x80 to 0x9F; every other byte is the code point of its value.
// The five bytes the code page leaves undefined stay the control characters
// they are in Latin-1, as the system's converter reads them too.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decodeCp1252(QByteArrayView bytes) {
    // A table rather than the system's converter: statements run to hundreds of
    // thousands of lines, and this is the whole of the code page.
    if (bytes.isNull()) return {};
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char c : bytes) {
        const uchar b = uchar(c);
        *out++ = (b & 0xE0) == 0x80 ? kHigh[b - 0x80] : char16_t(b);
    }
    return text;
}

QString decodeCp1252(const QByteArray& bytes) {
    return decodeCp1252(QByteArrayView(bytes));
}

QByteArray encodeCp1252(const QString& text) {
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Default);
    return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toLatin1();
}

} // namespace ostrapel
