#include "ParameterValues.h"

#include "DatabaseError.h"
#include "SqlFragments.h"
#include "SqlTokenizer.h"

namespace ostrapel {

namespace {

// Negative numbers in parentheses: after a minus, "--5" would start a comment.
QString signedLiteral(const QString& digits) {
    return digits.startsWith(u'-') ? u'(' + digits + u')' : digits;
}

// Empty when the value has no literal that means the same on both engines.
QString literal(const QVariant& v) {
    if (v.isNull()) return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return signedLiteral(v.toString());
    case QMetaType::Double: {
        // A point keeps it a real number (100 / 3 is no whole division); an
        // exponent, NaN or infinity would read as a name.
        QString text = QString::number(v.toDouble(), 'g', 17);
        if (text.contains(u'e') || text.contains(u'n') || text.contains(u'i')) return {};
        if (!text.contains(u'.')) text += QStringLiteral(".0");
        return signedLiteral(text);
    }
    case QMetaType::QString:
        return sqlTextLiteral(v.toString());
    default:
        return {};
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
        if (t.text.isEmpty())
            throw DatabaseError(
                QStringLiteral("De waarde van parameter \"%1\" kan niet in de opdracht worden "
                               "geschreven:\n%2")
                    .arg(name, jetSql));
    }
    return joinSqlTokens(tokens);
}

} // namespace ostrapel
