#include "ReportFieldDescriber.h"

#include "core/RecordCatalogue.h"

#include <QStringList>

namespace ostrapel {

std::optional<FieldType> ReportFieldDescriber::fieldType(const QString& name) const {
    static const QStringList texts{QStringLiteral("Periode"), QStringLiteral("PremieComponent"),
                                   QStringLiteral("5009a"),   QStringLiteral("5010a"),
                                   QStringLiteral("5009b"),   QStringLiteral("5010b")};
    static const QStringList amounts{QStringLiteral("TotaalPremie"), QStringLiteral("TotaalCorrectie"),
                                     QStringLiteral("Totaal"),       QStringLiteral("Premie"),
                                     QStringLiteral("Correctie"),    QStringLiteral("Premie1"),
                                     QStringLiteral("Premie2"),      QStringLiteral("Verschil")};
    if (texts.contains(name, Qt::CaseInsensitive)) return FieldType::Text;
    if (amounts.contains(name, Qt::CaseInsensitive)) return FieldType::Float;
    return catalogue_.fieldType(name);
}

std::optional<QString> ReportFieldDescriber::decode(const QString& name, const QString& code) const {
    return catalogue_.decode(name, code);
}

} // namespace ostrapel
