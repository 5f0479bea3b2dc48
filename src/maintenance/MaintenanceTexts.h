#pragma once

#include <QString>

// Texts of the maintenance commands: update scripts, clean-up, compact and
// repair, backup and the information file.
namespace ostrapel::MaintenanceTexts {

// Update scripts
inline const QString ScriptPattern = QStringLiteral("dbupdate*-%1.sql");
inline const QString ScripterCaption = QStringLiteral("Updatescripts");
inline const QString Afsluiten = QStringLiteral("Afsluiten");
inline const QString AskRunScripts = QStringLiteral(
    "Er zijn updatescripts aangetroffen. Deze updatescripts\r\nzullen automatisch door Ostrapel "
    "worden verwerkt. Een\r\njuiste werking van Ostrapel, zonder het uitvoeren van\r\ndeze "
    "scripts, is niet mogelijk.\r\n\r\nWilt u dat Ostrapel deze update scripts nu uitvoert?");
inline const QString ProgramEnds = QStringLiteral("Ostrapel wordt afgesloten.");
inline const QString ScriptsFailed = QStringLiteral(
    "Er zijn fouten opgetreden bij het uitvoeren van de\r\nupdatescripts. Er is een backup gemaakt "
    "van de oude\r\ndatabase in de directory \"backups\". U zult contact\r\nmoeten opnemen met "
    "de helpdesk!\r\n\r\nHet Ostrapel wordt afgesloten.");
inline const QString ScriptsRunBefore =
    QStringLiteral("Een of meerdere scripts konden niet worden\r\ngerund, omdat scripts met dezelfde naam "
                   "al\r\neen keer eerder met succes werden gerund.\r\nHet kan zijn dat deze scripts per "
                   "abuis\r\ndubbel zijn aangeleverd, of dat het ori-\r\nginele script niet goed werd "
                   "verwijderd na\r\nhet uitvoeren. Ostrapel zou desondanks goed\r\nmoeten "
                   "functioneren.\r\n\r\nWilt u doorgaan met Ostrapel, of afsluiten?");
inline const QString ScriptFailure = QStringLiteral(
    "Er is een fout opgetreden in:\r\n\r\nScriptfile: %1\r\nRegel: %2\r\n\r\nDeze file wordt opgeslagen "
    "als:\r\n\r\n   %3\r\n\r\nBewaar deze informatie voor de helpdesk!!!");
inline const QString BackupsFolder = QStringLiteral("backups");

// Clean-up
inline const QString CleanupWord = QStringLiteral("schonen");
inline const QString CleanupCaption = QStringLiteral("Opschonen");
inline const QString CleanupWarning = QStringLiteral(
    "WAARSCHUWING\r\nMet deze functie kunt u de database opschonen. Door een maand, of een periode aan te "
    "geven, kunt u de gerelateerde records uit de database verwijderen. U kunt deze verwijdering niet meer "
    "ongedaan maken!!!\r\nZorg er dus voor dat u zeker weet dat u de juiste gevens weggooit. Dit kan zijn "
    "omdat:\r\n\r\n        1) De gegevens verouderd zijn\r\n        2) U de gegevens opnieuw gaat inlezen "
    "\r\n            (bijv. omdat de gegevens nieuw zijn aangeleverd)");
inline const QString GroupCollectiviteit = QStringLiteral(" Collectiviteit ");
inline const QString GroupPeriode = QStringLiteral(" Periode ");
inline const QString GroupRecords = QStringLiteral(" Records ");
inline const QString Alle = QStringLiteral("<ALLE>");
inline const QString Maand = QStringLiteral("Maand");
inline const QString PeriodeVan = QStringLiteral("Periode van");
inline const QString TotEnMet = QStringLiteral("t/m");
inline const QString AllePeriodes = QStringLiteral("Alle periodes");
inline const QString AlleRecords = QStringLiteral("Alle records (Coll., verz., premie)");
inline const QString AlleenPremie = QStringLiteral("Alleen premierecords");
inline const QString CleanupRemoved =
    QStringLiteral("Opgeschoond: %1 collectiviteitrecords, %2 verzekerdenrecords, %3 controlerecords en "
                   "%4 premierecords verwijderd");

// Compact, repair and backup
inline const QString CompactWord = QStringLiteral("comprimeren en repareren");
inline const QString CopyProgressCaption = QStringLiteral("File copieren");
inline const QString RenameFailed = QStringLiteral(
    "Kan de database niet kopieren\r\nwaarschijnlijk maakt nog iemand gebruik van de database");
inline const QString BackupFailed =
    QStringLiteral("Er is een fout opgetreden bij het maken van de backup.\r\nOstrapel zal worden "
                   "afgesloten!\r\n\r\nNeem contact op met de Helpdesk (%1)");
inline const QString PackFailed = QStringLiteral("Error packing database: %1");
inline const QString AskKeepBackup =
    QStringLiteral("Database is succesvol gecomprimeerd en gerepareerd.\r\n\r\nEr is tijdens het comprimeren "
                   "meteen een backup gemaakt\r\nvan de database. Wilt uw deze bewaren?");
// A server's database is compacted in place: no file to copy, no backup to keep.
inline const QString VacuumProgressCaption = QStringLiteral("Database comprimeren");
inline const QString CompactDone = QStringLiteral("Database is succesvol gecomprimeerd en gerepareerd.");
inline const QString VacuumNotAllowed = QStringLiteral(
    "De database kan niet worden gecomprimeerd: de rol \"%1\" is geen eigenaar van %2 tabel(len)\r\n(%3)\r\n"
    "en heeft daarom niet het recht ze te comprimeren. Laat de eigenaar van de database dit doen.");
inline const QString BackupDone = QStringLiteral("Database succesvol gebackup-ed");
inline const QString DatabaseUnchanged = QStringLiteral("De database is niet veranderd.");

// Information file
inline const QString SysInfoCaption = QStringLiteral("Systeem informatie");
inline const QString InfoListMissing = QStringLiteral("InfoList niet geinitaliseerd");
inline const QString ProgramFileMissing = QStringLiteral("VanProgrammaFile niet gevonden");
inline const QString FileNotFound = QStringLiteral("File niet gevonden: ");
inline const QString ProductTypeUnknown = QStringLiteral("n.v.t. of onbekend");

} // namespace ostrapel::MaintenanceTexts
