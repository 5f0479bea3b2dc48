#pragma once

#include "ReportInputs.h"

#include <QString>

// Texts of the reports, the progress dialog and the text viewer.
namespace ostrapel::ReportTexts {

inline const QString TeIncasserenBedragen = QStringLiteral("Te incasseren bedragen");
inline const QString SelectieEigenCriteria = QStringLiteral("Selectie eigen criteria");
inline const QString Correctiepremies = QStringLiteral("Correctiepremies");
inline const QString ProlongatieverschillenTitle = QStringLiteral("Prolongatieverschillen: ");
inline const QString ComparisonText = QStringLiteral("maand %1 vergeleken met maand %2");

inline const QString RapportGenereren = QStringLiteral("Rapport genereren");
inline const QString GegevensVerzamelen = QStringLiteral("Gegevens verzamelen");
inline const QString GegevensSamenstellen = QStringLiteral("Gegevens samenstellen");
inline const QString Initialiseren = QStringLiteral("Initialiseren ...");
inline const QString Collectiviteitsgegevens = QStringLiteral("Collectiviteitsgegevens");
inline const QString Premiegegevens = QStringLiteral("Premiegegevens ...");
inline const QString Premietotalen = QStringLiteral("Premietotalen ...");

inline const QString EindeVerslag = QStringLiteral("***EINDE VERSLAG***");
inline const QString ManualComponent = QStringLiteral("Handmatige Factuur/Verplichte Verzekering");
inline const QString Totaal = QStringLiteral("Totaal");

inline const QString SysteemInformatie = QStringLiteral("Systeem informatie");
inline const QString Printen = QStringLiteral("&Printen");
inline const QString Afdrukvoorbeeld = QStringLiteral("&Afdrukvoorbeeld ...");
inline const QString Opslaan = QStringLiteral("&Opslaan ...");
inline const QString Sluiten = QStringLiteral("&Sluiten");
inline const QString SaveFilter = QStringLiteral("Tekstfile|*.txt|PDF-bestand|*.pdf");
inline const QString PdfFilter = QStringLiteral("PDF-bestand|*.pdf");
inline const QString SaveRetry =
    QStringLiteral("De file kon niet worden opgeslagen\r\nWilt u het nogmaals proberen?");
inline const QString NotSaved = QStringLiteral("File werd niet opgeslagen");
inline const QString NoPrinterPdf =
    QStringLiteral("Er is geen printer geïnstalleerd. Wilt u het rapport als PDF-bestand opslaan?");
inline const QString TooMuch1 = QStringLiteral("!!!! LET OP !!!!");
inline const QString TooMuch2 = QStringLiteral("!!!! Er is te veel informatie aanwezig om te tonen !!!!");
inline const QString TooMuch3 =
    QStringLiteral("!!!! Bij het printen zal alle informatie WEL getoond worden !!!");

inline const QString ExportAfbreken = QStringLiteral("Wilt u het aanmaken van een exportdefinitie afbreken");
inline const QString ExporterenNaarExcel = QStringLiteral("Exporteren naar Excel");
inline const QString ExportFilter =
    QStringLiteral("Excel-werkmap|*.xlsx|Excel bestanden|*.xls|Alle bestanden|*.*");
inline const QString ExportName = QStringLiteral("Export_Ostrapel.xlsx");
inline const QString ExportGestopt = QStringLiteral("Export vroegtijdig beëindigd");
inline const QString GeenVelden = QStringLiteral("Geen velden geselecteerd");

// The renewal report's title: month `to` compared with the earlier month `from`.
inline QString renewalTitle(const QString& from, const QString& to) {
    return ProlongatieverschillenTitle + ComparisonText.arg(to, from);
}

// The title of a standard report; the renewal report's title holds its months.
inline QString standardTitle(ReportKind kind) {
    switch (kind) {
    case ReportKind::Collection:
        return TeIncasserenBedragen;
    case ReportKind::Selection:
        return SelectieEigenCriteria;
    case ReportKind::Correction:
        return Correctiepremies;
    case ReportKind::Renewal:
        break;
    }
    return ProlongatieverschillenTitle;
}

} // namespace ostrapel::ReportTexts
