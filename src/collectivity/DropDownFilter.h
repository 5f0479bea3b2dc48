#pragma once

#include "core/CollectivityKey.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

class Connection;
class RecordCatalogue;

// The entries of one drop-down filter: "<ALLES>" first, then the field's
// pick-list descriptions, or else its distinct values in the collectivity.
class DropDownFilter {
public:
    void build(Connection& connection, const RecordCatalogue& catalogue, const QString& field,
               CollectivityKey collectivity);

    const QStringList& entries() const { return entries_; }
    int checked() const { return checked_; }
    QString checkedText() const { return checked_ >= 0 ? entries_.value(checked_) : QString(); }
    // Checks an entry; false when it was checked already (nothing to re-query).
    bool check(int index);
    // Checks the entry whose text matches without regard to case; none matches: "<ALLES>" stays.
    void checkText(const QString& text);
    // The code the checked entry stands for; empty for "<ALLES>".
    QString checkedCode() const;
    QString checkedEntryText() const; // without its "&", empty for "<ALLES>"

private:
    const RecordCatalogue* catalogue_ = nullptr;
    QString field_;
    QStringList entries_;
    int checked_ = 0;
};

} // namespace ostrapel
