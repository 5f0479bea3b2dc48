#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace ostrapel {

class Prompts;
class Settings;

namespace ImportCommandTexts {
inline const QString ActionCaption = QStringLiteral("Bestand importeren ...");
inline const QString ActionHint =
    QStringLiteral("Importeren|Importeren van gegevens uit aangeleverde bestanden");
inline const QString ArchiveFilter = QStringLiteral("Borderel zip file|00*-??.zip;00*-??S.zip");
inline const QString WindowsOpen = QStringLiteral(
    "Gegevens kunnen niet worden geimporteerd,\r\naangezien er nog collectiviteiten open staan");
inline const QString ArchiveDamaged = QStringLiteral("Het archief \"%1\" kon niet worden uitgepakt:\r\n%2");
inline const QString ArchiveWithoutStatements =
    QStringLiteral("Het archief \"%1\" bevat geen borderelbestanden (00*-??.dat of 00*-??S.dat)");
inline const QString WaitingForImport = QStringLiteral("Er wordt al ge\u00efmporteerd; wachten ...");
inline const QString TakeOverImportFolder = QStringLiteral(
    "De Import-map is al een tijd bezet (%1).\r\n\r\nAls die import niet meer loopt (een werkstation dat is "
    "vastgelopen),\r\nkunt u de Import-map overnemen. Wilt u de Import-map nu overnemen?");
inline const QString ImportFolderHolder = QStringLiteral("proces %1 op %2, sinds %3");
inline const QString ImportFolderStillHeld =
    QStringLiteral("De Import-map is na %1 seconden wachten nog bezet (%2); er is niets gedaan.");
inline const QString StatementPattern = QStringLiteral("00*-??.dat");
inline const QString StandardStatementPattern = QStringLiteral("00*-??S.dat");
} // namespace ImportCommandTexts

// The one mounted removable medium under /media/<user> or /run/media/<user>.
QString singleRemovableMedium();

// What the import command needs from the main window and the data module.
struct ImportCommandHooks {
    std::function<bool(const QString& action)> confirmMaintenance;
    std::function<int()> openWindowCount;
    // Shows the import dialog for one file (full path) or a list of names.
    std::function<void(const QString& singleFile, const QStringList& names)> runImportDialog;
    std::function<void()> convertToEuro;
    std::function<void()> rebuildOpenList;
    // Shows that another import holds the Import folder and this one waits.
    std::function<void(const QString&)> showStatus;
    // How long the import waits for the Import folder before it offers to take it over.
    int offerTakeOverAfterMs = 60000;
    // The single mounted removable medium, or empty: where the file dialog starts.
    std::function<QString()> removableMedium = singleRemovableMedium;
};

// The command "Bestand importeren ...": choose archives, unpack them into the
// Import folder, import the statement files found there, empty the folder.
class ImportCommand {
public:
    ImportCommand(Settings& settings, Prompts& prompts, ImportCommandHooks hooks);

    void actionImporterenExecute();
    // Files dropped on the window: the archives among them are unpacked and
    // imported as after the file dialog, together with the statement files
    // (.dat) among them, which are read where they are.
    void importFiles(const QStringList& files);
    // Of the given paths, the existing files an import takes: .zip and .dat.
    static QStringList importableFiles(const QStringList& paths);
    // Unpacks the chosen archives; the number of entries unpacked, 0 when cancelled.
    int chooseAndExtractArchives(const QString& filter);
    // The file dialog alone; remembers the folder of the first chosen file.
    QStringList chooseArchives(const QString& filter);
    // Where the file dialog starts: a removable medium, else LastImportDir, else the Import folder.
    QString startFolder() const;
    // Unpacks given archives (the headless command has no file dialog).
    int extractArchives(const QStringList& archives);
    // The files this command unpacked; the archives that could not be
    // unpacked (their message shown), and those that held no statement file.
    const QStringList& unpackedFiles() const { return unpacked_; }
    const QStringList& damagedArchives() const { return damaged_; }
    const QStringList& fruitlessArchives() const { return fruitless_; }

    static QStringList matchingFiles(const QString& folder, const QString& pattern);
    // The statement files in a folder: "00*-??.dat", then "00*-??S.dat".
    static QStringList statementFiles(const QString& folder);
    static void removeFiles(const QString& folder, const QStringList& names);
    static bool isStatementFile(const QString& name);

private:
    bool mayImport();
    void importChosen(const QStringList& archives, const QStringList& statements);

    Settings& settings_;
    Prompts& prompts_;
    ImportCommandHooks hooks_;
    QStringList unpacked_;
    QStringList damaged_;
    QStringList fruitless_;
};

} // namespace ostrapel
