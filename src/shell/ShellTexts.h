#pragma once

#include <QString>

// Texts of the main window and its commands.
namespace ostrapel::ShellTexts {

inline const QString AppTitle = QStringLiteral("Ostrapel");
inline const QString ProductName = QStringLiteral("Ostrapel");
inline const QString LegalNotice = QStringLiteral("Copyright \u00A9 2026 Ostrapel");
inline const QString SplashLoading = QStringLiteral("Loading....");

inline const QString MenuBestand = QStringLiteral("&Bestand");
inline const QString MenuOnderhoud = QStringLiteral("&Onderhoud");
inline const QString MenuVenster = QStringLiteral("&Venster");
inline const QString MenuHelp = QStringLiteral("&Help");
inline const QString Openen = QStringLiteral("Openen ...");
inline const QString Meer = QStringLiteral("Meer ...");
inline const QString Sluiten = QStringLiteral("Ostrapel sluiten");
inline const QString Schonen = QStringLiteral("Database opschonen");
inline const QString Comprimeren = QStringLiteral("Database comprimeren en repareren");
inline const QString Backup = QStringLiteral("Database backup maken");
inline const QString Standaard = QStringLiteral("Terug naar standaard instellingen");
inline const QString TileHor = QStringLiteral("Boven elkaar");
inline const QString TileVert = QStringLiteral("Naast elkaar");
inline const QString Cascade = QStringLiteral("Stapelen");
inline const QString ToonHoofdbalk = QStringLiteral("Toon hoofdbalk");
inline const QString AllesSluiten = QStringLiteral("Alles sluiten");
inline const QString HelpInhoud = QStringLiteral("Help inhoud ...");
inline const QString SysInfo = QStringLiteral("Systeem informatie ...");
inline const QString About = QStringLiteral("Over Ostrapel ...");

inline const QString ToolOpenen = QStringLiteral("Openen ...");
inline const QString ToolFilter = QStringLiteral("Filteren");
inline const QString ToolPrint = QStringLiteral("Printen");
inline const QString ToolImport = QStringLiteral("Importeren");
inline const QString ToolExport = QStringLiteral("Exporteren");
inline const QString ToolOpties = QStringLiteral("Opties");

inline const QString HintOpen = QStringLiteral("Open|Open collectiviteitsgegevens");
inline const QString HintHelp = QStringLiteral("Help|Start de helpfunctionaliteit");
inline const QString HintAbout = QStringLiteral("Aboutbox|Aboutbox");
inline const QString HintSchonen = QStringLiteral("Opschonen|Opschonen van gegevens in de database");
inline const QString HintSysInfo = QStringLiteral("Systeeminfo|Toon systeeminformatie");
inline const QString AfdrukvoorbeeldTitle = QStringLiteral("Afdrukvoorbeeld: %1");

inline const QString HelpCaption = QStringLiteral("Help");
inline const QString HelpFileName = QStringLiteral("Help.Htm");
inline const QString HelpNotFound = QStringLiteral("Het helpbestand \"%1\" is niet gevonden.");

inline const QString KiesCollCaption = QStringLiteral("Kies Collectiviteit");
inline const QString OpeningStatus = QStringLiteral("Collectiviteit wordt geopend [%1-%2]");

inline const QString AskNetwork =
    QStringLiteral("Om problemen tijdens het %1 te voorkomen,\r\nis het raadzaam dat alle gebruikers het "
                   "Ostrapel\r\nverlaten!!!\n\r\n\r"
                   "Hebben alle gebruikers het systeem verlaten?");
inline const QString Aborted = QStringLiteral("Het %1 wordt afgebroken!");
inline const QString AskCloseWindows =
    QStringLiteral("Alvorens u kunt %1, moet u alle openstaande\r\nschermen afsluiten. Wilt u dat "
                   "ostrapel\r\nalle openstaande schermen "
                   "automatisch afsluit?");
inline const QString CannotClean =
    QStringLiteral("De database kan niet worden geschoond,\r\naangezien er nog collectiviteiten open staan");
inline const QString AskRestoreDefaults =
    QStringLiteral("Programma afsluiten om terug naar standaard instellingen te gaan ?");
inline const QString AskClose = QStringLiteral("Wilt u ostrapel afsluiten?");
inline const QString NotYetAvailable = QStringLiteral("Deze functie is in deze versie nog niet beschikbaar.");

} // namespace ostrapel::ShellTexts
