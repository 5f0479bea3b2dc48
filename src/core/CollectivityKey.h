#pragma once

#include <QString>
#include <compare>
#include <optional>

namespace ostrapel {

// A collectivity: its number (ID01) and sequence number (ID02). Both are -1
// when no collectivity is meant ("<ALLE>" in the clean-up).
struct CollectivityKey {
    int number = -1;
    int sequence = -1;

    // "12-1": how the command line takes a collectivity and its messages name it.
    QString text() const;
    // "12-1" read back; nullopt unless it is two whole numbers joined by "-".
    static std::optional<CollectivityKey> parse(const QString& text);

    // "0012001": a window's settings section and the list of open windows.
    QString windowKey() const;
    // A window key read back: the last three characters the sequence number,
    // the rest the collectivity number.
    static CollectivityKey fromWindowKey(const QString& key);

    friend auto operator<=>(const CollectivityKey&, const CollectivityKey&) = default;
};

} // namespace ostrapel
