#pragma once

#include <QString>
#include <QVariantMap>

namespace ostrapel {

// The statement with each ":name" replaced by its value as a literal, for
// statements that cannot take bound values, such as the one that fills an
// engine-kept snapshot: texts quoted with their quotes doubled (a text stays a
// text, also beside "+"), whole and real numbers (negative ones in
// parentheses), NULL for no value. Names match regardless of case. A name
// without a value, or a value of another kind, throws DatabaseError.
QString withParameterValues(const QString& jetSql, const QVariantMap& values);

} // namespace ostrapel
