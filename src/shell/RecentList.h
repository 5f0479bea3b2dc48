#pragma once

#include <QStringList>

namespace ostrapel {

// The recently opened collectivities: window keys, oldest first, at most 10.
class RecentList {
public:
    static constexpr int MaxCount = 10;

    void load(const QString& commaText);
    QString toCommaText() const;
    // Moves the key to the end, or appends it (dropping the oldest at 10).
    void touch(const QString& key);
    void remove(const QString& key) { keys_.removeAll(key); }
    const QStringList& keys() const { return keys_; }
    bool isEmpty() const { return keys_.isEmpty(); }

private:
    QStringList keys_;
};

} // namespace ostrapel
