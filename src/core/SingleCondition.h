#pragma once

#include <QString>

namespace ostrapel {

// True when a condition kept as text (a stored filter criterion) reads as one
// expression that a WHERE clause can take between brackets: its brackets
// balance and never close more than they opened, texts and names are closed,
// and it holds no statement separator, comment, parameter or word that would
// end the expression or start a query of its own (SELECT, FROM, UNION, ...).
bool isSingleCondition(const QString& jetCondition);

} // namespace ostrapel
