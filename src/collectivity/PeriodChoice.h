#pragma once

#include "core/CollectivityKey.h"
#include "core/InsuranceType.h"

#include <QString>
#include <QStringList>

namespace ostrapel {

class Connection;

// The rules of the period dialog: the months offered, the preselection from
// the current setting, when OK may be pressed and the setting it gives.
class PeriodChoice {
public:
    enum class Choice { Alles, Maand, PeriodeVan };

    // Months of the control records of the window's insurance type.
    static QStringList months(Connection& connection, CollectivityKey collectivity, InsuranceType type);

    PeriodChoice(QStringList months, const QString& currentSetting);

    const QStringList& months() const { return months_; } // one empty entry when there are none
    Choice choice = Choice::Alles;
    QString month; // cbFactuurmaand1
    QString from;  // cbFactuurmaand2
    QString to;    // cbFactuurmaand3

    bool okEnabled() const;
    QString result() const;

private:
    QStringList months_;
};

} // namespace ostrapel
