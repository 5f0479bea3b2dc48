#include "Encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ostrapel {

QString decodeCp1252(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

QByteArray encodeCp1252(const QString& text) {
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Default);
    return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toLatin1();
}

} // namespace ostrapel
