#include "RecentList.h"

#include "core/TextHelpers.h"

namespace ostrapel {

void RecentList::load(const QString& commaText) {
    keys_.clear();
    for (const QString& key : readCommaText(commaText))
        if (!key.isEmpty() && !keys_.contains(key)) keys_ << key;
    while (keys_.size() > MaxCount)
        keys_.removeFirst();
}

QString RecentList::toCommaText() const {
    return writeCommaText(keys_);
}

void RecentList::touch(const QString& key) {
    if (keys_.contains(key)) {
        keys_.removeAll(key);
    } else if (keys_.size() >= MaxCount) {
        keys_.removeFirst();
    }
    keys_ << key;
}

} // namespace ostrapel
