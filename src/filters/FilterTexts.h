#pragma once

#include <QString>

namespace ostrapel::FilterTexts {

inline const QString ListCaption = QStringLiteral("Filter");
inline const QString New = QStringLiteral("&Nieuw");
inline const QString Add = QStringLiteral("&Toevoegen");
inline const QString Edit = QStringLiteral("&Bewerken");
inline const QString Remove = QStringLiteral("&Verwijderen");
inline const QString Open = QStringLiteral("&Openen");
inline const QString Save = QStringLiteral("B&ewaren");
inline const QString Apply = QStringLiteral("Filter toepassen");
inline const QString Lift = QStringLiteral("Filter op&heffen");
inline const QString Close = QStringLiteral("&Sluiten");
inline const QString ColumnField = QStringLiteral("Veldnaam");
inline const QString ColumnOperator = QStringLiteral("Operator");
inline const QString ColumnValue = QStringLiteral("Waarde");

inline const QString RemoveQuestion = QStringLiteral("Wilt u dit record verwijderen");
inline const QString SaveQuestion = QStringLiteral("Wilt u de huidige filter opslaan?");
inline const QString DeleteFilterQuestion = QStringLiteral("Wilt u dit filter verwijderen?");

inline const QString ChooserCaption = QStringLiteral("Kies een filter");
inline const QString ColumnFilterId = QStringLiteral("FilterNr.");
inline const QString ColumnFilterName = QStringLiteral("Filternaam");
inline const QString ColumnMadeBy = QStringLiteral("GemaaktDoor");

inline const QString NameCaption = QStringLiteral("Filter opslaan");
inline const QString NameLabel = QStringLiteral("Filter naam");
inline const QString MadeByLabel = QStringLiteral("Gemaakt door");

inline const QString CriterionCaption = QStringLiteral("Filter criterium");
inline const QString PromptField = QStringLiteral("Kies een &veld");
inline const QString PromptOperator = QStringLiteral("Kies een &operator");
inline const QString PromptValue = QStringLiteral("Voer een &waarde in");
inline const QString StepFinish = QStringLiteral("Klaar");

inline const QString BeginsWith = QStringLiteral("Begint met");
inline const QString EndsWith = QStringLiteral("Eindigt met");
inline const QString Contains = QStringLiteral("Bevat");

// A date the Dutch order does not read; %1 is the value as typed.
inline const QString BadDate =
    QStringLiteral("\"%1\" is geen geldige datum. Voer de datum in als dd-mm-jjjj, bijvoorbeeld 31-12-2004.");

// A stored condition that is not one expression.
inline QString notOneCondition(const QString& filterName, const QString& condition) {
    if (filterName.isEmpty())
        return QStringLiteral("Het filter kan niet worden gebruikt: de voorwaarde %1 is geen enkelvoudige "
                              "voorwaarde.")
            .arg(condition);
    return QStringLiteral("Het filter \"%1\" kan niet worden gebruikt: de voorwaarde %2 is geen enkelvoudige "
                          "voorwaarde.")
        .arg(filterName, condition);
}

} // namespace ostrapel::FilterTexts
