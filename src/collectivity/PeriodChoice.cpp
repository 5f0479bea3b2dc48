#include "PeriodChoice.h"

#include "CollectivityQueries.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/TextHelpers.h"

namespace ostrapel {

QStringList PeriodChoice::months(Connection& connection, CollectivityKey collectivity, InsuranceType type) {
    DataSet rows = connection.query(
        CollectivityQueries::PeriodMonths,
        {{QStringLiteral("id01"), collectivity.number},
         {QStringLiteral("id02"), collectivity.sequence},
         {QStringLiteral("id05"),
          type == InsuranceType::SicknessFundOrPrivate ? QStringLiteral("9%") : QStringLiteral("S%")}});
    QStringList months;
    for (rows.first(); !rows.eof(); rows.next())
        months << rows.value(QStringLiteral("FactuurMaand")).toString();
    return months;
}

PeriodChoice::PeriodChoice(QStringList months, const QString& currentSetting) : months_(std::move(months)) {
    if (months_.isEmpty()) months_ << QString();
    auto offered = [this](const QString& m) { return months_.contains(m) ? m : QString(); };
    if (currentSetting.isEmpty()) {
        choice = Choice::Alles;
        return;
    }
    const QString a = tokenAt(currentSetting, u';', 0);
    const QString b = tokenAt(currentSetting, u';', 1);
    if (a == b) {
        choice = Choice::Maand;
        month = offered(a);
    } else {
        choice = Choice::PeriodeVan;
        from = offered(a);
        to = offered(b);
    }
}

bool PeriodChoice::okEnabled() const {
    switch (choice) {
    case Choice::Maand:
        return !month.isEmpty();
    case Choice::PeriodeVan:
        return !from.isEmpty() && (to.isEmpty() || to >= from);
    case Choice::Alles:
        return true;
    }
    return false;
}

QString PeriodChoice::result() const {
    switch (choice) {
    case Choice::Maand:
        return month + u';' + month;
    case Choice::PeriodeVan:
        return to.isEmpty() ? from : from + u';' + to;
    case Choice::Alles:
        break;
    }
    return {};
}

} // namespace ostrapel
