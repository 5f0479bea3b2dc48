#include "CollectivityKey.h"

#include <QChar>
#include <QStringList>
#include <algorithm>

namespace ostrapel {

QString CollectivityKey::text() const {
    return QStringLiteral("%1-%2").arg(number).arg(sequence);
}

std::optional<CollectivityKey> CollectivityKey::parse(const QString& text) {
    const QStringList parts = text.split(u'-');
    if (parts.size() != 2) return std::nullopt;
    bool numberOk = false, sequenceOk = false;
    const CollectivityKey key{parts[0].toInt(&numberOk), parts[1].toInt(&sequenceOk)};
    if (!numberOk || !sequenceOk) return std::nullopt;
    return key;
}

QString CollectivityKey::windowKey() const {
    return QStringLiteral("%1%2").arg(number, 4, 10, QChar(u'0')).arg(sequence, 3, 10, QChar(u'0'));
}

CollectivityKey CollectivityKey::fromWindowKey(const QString& key) {
    // The collectivity number may run past four digits; the sequence number is
    // always the last three.
    const qsizetype split = std::max<qsizetype>(key.size() - 3, 0);
    return {key.left(split).toInt(), key.mid(split).toInt()};
}

} // namespace ostrapel
