#pragma once

#include "CollectivityKey.h"
#include "Connection.h"
#include "InsuranceType.h"
#include "ProgressReporter.h"
#include "Prompts.h"
#include "ServerPasswords.h"

#include <QDateTime>
#include <QStringList>
#include <functional>

namespace ostrapel {

class PasswordStore;
class Settings;

namespace DataModuleTexts {
inline const QString ZipLibraryFailed =
    QStringLiteral("De file: \"Zipdll.dll\" kon niet worden geladen.\r\n\r\nDeze file moet zich in dezelfde "
                   "directory bevinden\r\n"
                   "als de applicatie (ostrapel.exe).\r\n\r\nDe applicatie zal worden afgesloten!");
inline const QString UnzipLibraryFailed =
    QStringLiteral("De file: \"Unzdll.dll\" kon niet worden geladen\r\n\r\nDeze file moet zich in dezelfde "
                   "directory bevinden\r\n"
                   "als de applicatie (ostrapel.exe).\r\n\r\nDe applicatie zal worden afgesloten!");
inline const QString NoConnection = QStringLiteral(
    "Er kon geen connectie worden gemaakt met de database!\n\rWilt u de connectie-string bewerken?");
// The question with the engine's reason between its two lines: without it the
// user cannot tell a mistyped host from a wrong password.
inline QString noConnectionQuestion(const QString& reason) {
    if (reason.isEmpty()) return NoConnection;
    const qsizetype split = NoConnection.indexOf(QStringLiteral("\n\r")) + 2;
    return NoConnection.left(split) + reason + QStringLiteral("\n\r\n\r") + NoConnection.mid(split);
}
inline const QString ThreeTimes = QStringLiteral(
    "U heeft 3 keer zonder succes geprobeerd connectie\n\rte maken met de database. Wilt u doorgaan?");
inline const QString VersionDiffers =
    QStringLiteral("Er is een verschil in de versie van de\r\nOstrapel applicatie en de Ostrapel "
                   "database.\r\n\r\nApplicatie: %1\r\nDatabase: %2");
inline const QString StoreConnectionString = QStringLiteral(
    "De connectie met de database is gelukt.\r\n\r\nWilt u deze connectie-string bewaren, zodat "
    "Ostrapel hem op deze computer voortaan gebruikt?");
inline const QString PasswordNotKept =
    QStringLiteral("Het wachtwoord kon niet worden bewaard: er is geen wachtwoordkluis van het bureaublad "
                   "en het bestand \"%1\" kon niet worden geschreven.");
inline const QString EuroDone = QStringLiteral("Alle bedragen zijn omgezet naar Euro's");
inline const QString EuroTitle = QStringLiteral("Euro Conversie");
inline const QString EuroFailed = QStringLiteral(
    "De bedragen konden niet naar Euro's worden omgezet; de database is ongewijzigd.\r\n\r\n%1");
inline const QString CheckReminder = QStringLiteral("Het is raadzaam om de database geregeld op fouten te "
                                                    "\r\ncontroleren. \r\nHet is nu %1 dagen geleden dat de "
                                                    "database gecontoleerd is.\r\nDatabase nu controleren ?");
} // namespace DataModuleTexts

inline constexpr int ApplicationDbVersion = 1;

// Result of the start-up check of the zip library.
enum class ZipCheck { Ok, CompressFailed, DecompressFailed };

// The data module: the one connection, the table names and the shared queries.
// A server password is kept in the password store (ServerPasswords), never in
// a settings file.
class StatementDatabase {
public:
    StatementDatabase(Settings& settings, Prompts& prompts, PasswordStore& passwords);

    QString databasePath() const;
    // The connection string of this run: an override (ostrapel-cli --connection),
    // else the computer settings' shared server, else the program folder's file.
    QString configuredConnectionString() const;
    void setConnectionOverride(const QString& connectionString) { connectionOverride_ = connectionString; }
    // The start-up steps of the data module; false means the program ends.
    bool startUp(const std::function<ZipCheck()>& checkZip = {});
    bool connectWithRetry();
    // Why the last connection attempt failed (empty after a success).
    QString connectionFailure() const { return connectionFailure_; }

    Connection& connection() { return connection_; }
    const QStringList& tableNames() const { return tableNames_; }

    int getDatabaseVersion();
    // Whether the collectivity has persons of the insurance type; throws
    // DatabaseError when the database cannot be read.
    bool collectivityExists(CollectivityKey key, InsuranceType type);
    // Converts every guilder statement once the database also holds a euro one.
    void convertToEuro(ProgressReporter& progress);

    // Main-window start-up steps 1 and 2: catalogue repairs and the persons index.
    void repairCatalogueAndIndex();
    void checkDatabaseVersion();
    // At program end: ask for a check when the last one is more than 30 days old.
    void databaseCheckReminder(const QDateTime& now, const std::function<bool()>& compactAndRepair);

    // Splash status; the desktop program installs the splash window's label.
    void showSplashStatus(const QString& text) const {
        if (splashStatus_) splashStatus_(text);
    }
    void setSplashStatusHandler(std::function<void(const QString&)> h) { splashStatus_ = std::move(h); }

private:
    void keepWorkingString(bool edited, bool passwordTyped);

    Settings& settings_;
    Prompts& prompts_;
    ServerPasswords passwords_;
    Connection connection_;
    QString connectionString_;
    QString connectionOverride_;
    QString connectionFailure_;
    QStringList tableNames_;
    std::function<void(const QString&)> splashStatus_;
};

} // namespace ostrapel
