#include "ParameterValues.h"

#include "DatabaseError.h"
#include "SqlTokenizer.h"

namespace ostrapel {

namespace {

QString literal(const QVariant& v) {
    if (v.isNull()) return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return v.toString();
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 17);
    default:
        return u'\'' + v.toString().replace(u'\'', QStringLiteral("''")) + u'\'';
    }
}

} // namespace

QString withParameterValues(const QString& jetSql, const QVariantMap& values) {
    SqlTokens tokens = tokenizeSql(jetSql);
    for (SqlToken& t : tokens) {
        if (t.kind != SqlToken::Parameter) continue;
        const QString name = t.text.mid(1);
        auto it = values.cbegin();
        while (it != values.cend() && it.key().compare(name, Qt::CaseInsensitive) != 0)
            ++it;
        if (it == values.cend())
            throw DatabaseError(
                QStringLiteral("Parameter \"%1\" heeft geen waarde in de opdracht:\n%2").arg(name, jetSql));
        t.text = literal(it.value());
    }
    return joinSqlTokens(tokens);
}

} // namespace ostrapel
