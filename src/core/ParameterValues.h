#pragma once

#include <QString>
#include <QVariantMap>

namespace ostrapel {

// The statement with each ":name" replaced by its value as a literal (texts
// quoted, quotes doubled; numbers as they are; no value: NULL), for statements
// that cannot take bound values, such as the one that fills an engine-kept
// snapshot. Names match regardless of case; a name without a value throws
// DatabaseError.
QString withParameterValues(const QString& jetSql, const QVariantMap& values);

} // namespace ostrapel
