#pragma once

#include "core/InsuranceType.h"

#include <QString>

// The plain joined queries the program once ran, kept as oracles: the program
// answers the same questions with index steps, and the tests compare the two.
namespace ostrapel::test {

// The invoice months of a collectivity's persons of one type (:CollNr, :CollVolgNr).
QString invoiceMonthsQuery(InsuranceType type);
// The distinct non-empty values of a component field in a collectivity (:ID01, :ID02).
QString distinctValuesQuery(const QString& field);

} // namespace ostrapel::test
