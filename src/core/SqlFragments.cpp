#include "SqlFragments.h"

#include "TextHelpers.h"

#include <QRegularExpression>

namespace ostrapel {

QString typeCodeList(InsuranceType type) {
    return type == InsuranceType::SicknessFundOrPrivate ? QStringLiteral("'Z', 'P'") : QStringLiteral("' '");
}

QString sqlTextLiteral(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString likeLiteral(const QString& typed, QString* escapeClause) {
    QString text;
    text.reserve(typed.size());
    bool escaped = false;
    for (const QChar c : typed) {
        if (c == u'%' || c == u'_' || c == u'\\') {
            text += u'\\';
            escaped = true;
        }
        text += c;
    }
    if (escapeClause) *escapeClause = escaped ? QStringLiteral(" escape '\\'") : QString();
    return text;
}

QString typeMonthCondition(InsuranceType type, const QString& column) {
    return (type == InsuranceType::SicknessFundOrPrivate ? QStringLiteral("AND %1 <= '2005-12'")
                                                         : QStringLiteral("AND %1 >= '2006-01'"))
        .arg(column);
}

QString componentNameColumn(InsuranceType type) {
    return type == InsuranceType::SicknessFundOrPrivate ? QStringLiteral("[5007]") : QStringLiteral("[5012]");
}

QString collectivityCaption(CollectivityKey key, const QString& typeName, const QString& name) {
    return QStringLiteral("%1-%2 %3: %4")
        .arg(key.number, 4, 10, QChar(u'0'))
        .arg(key.sequence)
        .arg(typeName, name);
}

bool isPeriodSetting(const QString& setting) {
    static const QRegularExpression form(QStringLiteral("^(\\d{4}-\\d{2}(;\\d{4}-\\d{2})?)?$"));
    return form.match(setting).hasMatch();
}

PeriodClauses buildPeriodClauses(const QString& setting) {
    PeriodClauses c;
    if (!isPeriodSetting(setting) || setting.isEmpty()) {
        c.persons = c.components = c.bord10Form = kNeutralClause;
        c.description = QStringLiteral("Geen periode ingesteld");
        return c;
    }
    const QString from = tokenAt(setting, u';', 0);
    const QString to = tokenAt(setting, u';', 1);
    if (from == to) {
        c.persons = QStringLiteral("AND EXISTS(SELECT ID01 FROM BORD50 WHERE (BORD10.ID05 = BORD50.ID05) and "
                                   "(BORD50.[ID03] = '") +
                    from + QStringLiteral("'))");
        c.components = QStringLiteral("AND BORD50.[ID03] = '") + from + u'\'';
        c.description = QStringLiteral("Maand ") + from;
    } else if (!to.isEmpty()) {
        c.persons = QStringLiteral("AND EXISTS(SELECT ID01 FROM BORD50 WHERE (BORD10.ID05 = BORD50.ID05) and "
                                   "((BORD50.[ID03] >= '") +
                    from + QStringLiteral("') and (BORD50.[ID03] <= '") + to + QStringLiteral("')))");
        c.components = QStringLiteral("AND BORD50.[ID03] >= '") + from +
                       QStringLiteral("' and BORD50.[ID03] <= '") + to + u'\'';
        c.description = QStringLiteral("Periode ") + from + QStringLiteral(" tot ") + to;
    } else {
        c.persons = QStringLiteral("AND EXISTS(SELECT ID01 FROM BORD50 WHERE (BORD10.ID05 = BORD50.ID05) and "
                                   "(BORD50.[ID03] >= '") +
                    from + QStringLiteral("'))");
        c.components = QStringLiteral("AND BORD50.[ID03] >= '") + from + u'\'';
        c.description = QStringLiteral("Periode ") + from + QStringLiteral(" tot nu");
    }
    c.bord10Form = QString(c.components)
                       .replace(QStringLiteral("BORD50"), QStringLiteral("BORD10"), Qt::CaseInsensitive);
    return c;
}

} // namespace ostrapel
