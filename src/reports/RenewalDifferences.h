#pragma once

#include <QString>
#include <QStringList>

namespace ostrapel {

// The renewal premium components of one month compared with those of a later
// month: the 41-line differences query and the report's title.
class RenewalDifferences {
public:
    RenewalDifferences(int collNr, int collVolgNr, int verzType)
        : collNr_(collNr), collVolgNr_(collVolgNr), verzType_(verzType) {}

    // `from` is the earlier month A, `to` the later month B.
    QStringList query(const QString& from, const QString& to) const;
    static QString title(const QString& from, const QString& to);

private:
    int collNr_;
    int collVolgNr_;
    int verzType_;
};

} // namespace ostrapel
