#pragma once

#include "StatementSummary.h"

#include "core/CollectivityKey.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace ostrapel {

class Connection;
class ImportView;
class Prompts;
class SqlStatement;
class RecordCatalogue;

namespace ImportTexts {
inline const QString Caption = QStringLiteral("Importeren");
inline const QString SingleFileCaption = QStringLiteral("Import van file: ");
inline const QString CheckingCaption = QStringLiteral("Controle-informatie inlezen");
inline const QString ImportingCaption = QStringLiteral("Borderel informatie importeren");
inline const QString AlreadyImported = QStringLiteral("De collectiviteit: %1.%2 [%3] is reeds verwerkt!");
inline const QString FileNotFound = QStringLiteral("File met de naam \"%1\" is niet gevonden!!!");
inline const QString NotImported = QStringLiteral("Informatie uit file \"%1\" werd niet geimporteerd");
inline const QString Imported = QStringLiteral("Informatie uit file \"%1\" succesvol geimporteerd in %2");
inline const QString Stop = QStringLiteral("Stoppen");
inline const QString FinishedCaption = QStringLiteral("Import gereed");
inline const QString StoppedCaption = QStringLiteral("Import gestopt");
inline const QString FailedCaption = QStringLiteral("Import mislukt");
inline const QString StoppedImported = QStringLiteral("Import gestopt; ge\u00efmporteerd: %1");
inline const QString StoppedNothing = QStringLiteral("Import gestopt; er is niets ge\u00efmporteerd");
} // namespace ImportTexts

// The import of the chosen statement files: check pass, overview, writing
// each ticked file, and the clean-up of superseded persons. Each file is
// written in one transaction, so a failure leaves nothing of that file.
class ImportRun {
public:
    enum class Outcome { Imported, AlreadyImported, NotFound, Stopped };
    struct FileResult {
        QString path;
        Outcome outcome;
        QString text; // the list-box text
    };
    using OverviewFn = std::function<bool(std::vector<StatementSummary>&)>;

    ImportRun(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts, ImportView& view,
              int databaseVersion, QString importDir);
    ~ImportRun();

    void setSingleFile(const QString& path);
    void setFileList(const QStringList& names); // names in the import folder

    // Runs the whole import; the overview decides what is imported. Database
    // and check errors end the run and are thrown to the caller.
    void execute(const OverviewFn& showOverview);

    const std::vector<StatementSummary>& summaries() const { return summaries_; }
    const std::vector<FileResult>& results() const { return results_; }
    bool overviewAccepted() const { return accepted_; }
    bool done() const { return done_; }

    // From any thread: the run ends at the next line batch and the file in
    // progress is rolled back; the files written before it stay.
    void requestStop() { stopRequested_ = true; }
    bool stopped() const { return stopped_; }
    // Throws ImportStopped when a stop was requested.
    void stopPoint() const;

    // Parts of the run, open for tests.
    Outcome importStatementFile(const QString& path, int expected, bool& postProcess, bool isLast);
    // 2 with the warning to show when the line's statement was imported before, else 0.
    int isAlreadyImported(const QString& line, QString* refusal);
    void purgeSupersededPersons(const QString& line);
    // PostgreSQL: holds the line's collectivity for the rest of the
    // transaction, so two workstations cannot both pass the check for one
    // statement, and each import's clean-up sees the other's persons.
    void lockCollectivity(const QString& line);

private:
    StatementSummary check(const QString& path);
    void finishStopped();
    void analyzeStatementTables();
    // "ID01/ID02" of the line: the collectivity as the clean-up takes it.
    CollectivityKey collectivityKey(const QString& line) const;
    void cleanUpEarlierCollectivities(const QString& lastLine);

    Connection& connection_;
    const RecordCatalogue& catalogue_;
    Prompts& prompts_;
    ImportView& view_;
    int databaseVersion_;
    QString importDir_;
    QString singleFile_;
    QStringList fileList_;
    std::vector<StatementSummary> summaries_;
    // The bytes of the file checked last, which the import then need not read again.
    QString checkedPath_;
    QByteArray checkedBytes_;
    std::vector<FileResult> results_;
    // A collectivity line of each collectivity this run imported into, for the
    // clean-up after the last file.
    QStringList importedCollectivities_;
    bool accepted_ = false;
    bool done_ = false;
    std::atomic_bool stopRequested_ = false;
    bool stopped_ = false;
    int currentEntry_ = -1; // the list entry of the file being imported
};

} // namespace ostrapel
