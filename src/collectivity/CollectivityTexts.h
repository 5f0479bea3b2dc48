#pragma once

#include <QString>

// Texts of the collectivity window.
namespace ostrapel::CollectivityTexts {

inline const QString Verzekerden = QStringLiteral(" Verzekerden");
inline const QString VerzekerdenFilter = QStringLiteral(" Verzekerden (filter actief)");
inline const QString Componenten = QStringLiteral(" Componenten");
inline const QString GeenZoekveld = QStringLiteral("geen zoekveld");
inline const QString Records = QStringLiteral(" records ");
inline const QString Hoofdverzekerde = QStringLiteral("Hoofdverzekerde");
inline const QString EenheidUit = QStringLiteral("Verz. eenheid UIT");
inline const QString EenheidAan = QStringLiteral("Verz. eenheid AAN");
inline const QString Totaal = QStringLiteral("Totaal");
inline const QString Prol = QStringLiteral("Prol.");
inline const QString Mut = QStringLiteral("Mut.");
inline const QString Hand = QStringLiteral("Hand");
inline const QString Alles = QStringLiteral("<ALLES>");
inline const QString Individueel = QStringLiteral("Individueel");
inline const QString Gezamenlijk = QStringLiteral("Gezamenlijk");
inline const QString ShowingComponents = QStringLiteral("Premiecomponenten worden getoond ...");
inline const QString ZoekOp = QStringLiteral("Zoek op");
inline const QString VeranderPeriodeButton = QStringLiteral("Verander periode ...");
inline const QString KiesPeriode = QStringLiteral("Kies periode");
inline const QString ConfirmLongRun =
    QStringLiteral("Deze bewerking kan enige tijd in beslag nemen. Wilt u doorgaan?");

} // namespace ostrapel::CollectivityTexts
