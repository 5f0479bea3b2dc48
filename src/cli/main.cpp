// ostrapel-cli: the headless import and the collectivity list.
//   ostrapel-cli [--program-dir DIR] import [--all] FILE...
//   ostrapel-cli [--program-dir DIR] collectivities
//   ostrapel-cli [--program-dir DIR] filters
//   ostrapel-cli [--program-dir DIR] report KIND --coll NR-VOLGNR --type 1|2 [--month YYYY-MM]
//                [--from YYYY-MM --to YYYY-MM] [--period SETTING] [--compound] [--filter NAME] [--page-length
//                N]
//                [--out FILE] [--pdf FILE]
//   ostrapel-cli [--program-dir DIR] export --coll NR-VOLGNR --type 1|2 --fields10 LIST [--fields50 LIST]
//                [--period SETTING] --out FILE
//   ostrapel-cli [--program-dir DIR] trend --coll NR-VOLGNR --type 1|2 [--from YYYY-MM] [--to YYYY-MM]
//   ostrapel-cli [--program-dir DIR] backup
//   ostrapel-cli [--program-dir DIR] compact [--keep-backup]
//   ostrapel-cli create-database --connection STRING
//   ostrapel-cli migrate --from STRING --to STRING
// --connection STRING uses that database instead of the configured one.
#include "CliPrompts.h"

#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/DisplayFormat.h"
#include "core/Encoding.h"
#include "core/FileWriter.h"
#include "core/KeychainPasswordStore.h"
#include "core/Paths.h"
#include "core/PostgreSqlSchema.h"
#include "core/PrivateFiles.h"
#include "core/ProgressReporter.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "core/StatementDatabase.h"
#include "filters/FilterClause.h"
#include "filters/FilterStore.h"
#include "import/CheckPass.h"
#include "import/ImportCommand.h"
#include "import/ImportFolderLock.h"
#include "import/ImportOverview.h"
#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/SilentImportView.h"
#include "import/ZipArchive.h"
#include "maintenance/DatabaseBackup.h"
#include "maintenance/DatabaseCompactor.h"
#include "maintenance/DatabaseMigration.h"
#include "maintenance/UpdateScriptRunner.h"
#include "paper/LinePdf.h"
#include "reports/ExportCommand.h"
#include "reports/ReportCommand.h"
#include "reports/TrendCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

using namespace ostrapel;

namespace {

enum Exit { ExitOk = 0, ExitLeftOut = 1, ExitFailure = 2 };

// How long an import waits for another one's Import folder by default.
constexpr int DefaultImportWait = 300;

const QString NotAProgramFolder =
    QStringLiteral("\"%1\" is geen programmamap: er staat geen map \"db\" of \"Settings\" in.");
const QString ScriptsWaiting = QStringLiteral(
    "Er staan updatescripts klaar (%1). Start het programma om ze uit te voeren; tot dan wordt er "
    "niets gedaan.");

// A program folder holds its database folder or its settings folder.
bool isProgramFolder(const QString& folder) {
    const QDir dir(folder);
    return dir.exists() && (QFileInfo(dir.filePath(QStringLiteral("db"))).isDir() ||
                            QFileInfo(dir.filePath(QStringLiteral("Settings"))).isDir());
}

void out(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
}

// Tells that the Import folder is awaited; an empty text ends the wait.
void printWaiting(const QString& text) {
    if (text.isEmpty()) return;
    out(text);
    std::fflush(stdout);
}

const char* const UsageText =
    "gebruik: ostrapel-cli [--program-dir MAP] import [--all] [--wait SECONDEN] BESTAND...\n"
    "         ostrapel-cli [--program-dir MAP] collectivities\n"
    "         ostrapel-cli [--program-dir MAP] filters\n"
    "         ostrapel-cli [--program-dir MAP] backup\n"
    "         ostrapel-cli [--program-dir MAP] compact [--keep-backup]\n"
    "         ostrapel-cli [--program-dir MAP] report incasso|selectie|correctie|prolongatie\n"
    "                      --coll NR-VOLGNR --type 1|2 [--month JJJJ-MM]\n"
    "                      [--from JJJJ-MM --to JJJJ-MM] [--period INSTELLING] [--compound]\n"
    "                      [--filter NAAM] [--page-length N] [--out BESTAND] [--pdf BESTAND]\n"
    "         ostrapel-cli [--program-dir MAP] export --coll NR-VOLGNR --type 1|2\n"
    "                      --fields10 VELDEN [--fields50 VELDEN] [--period INSTELLING]\n"
    "                      --out BESTAND(.xls|.xlsx)\n"
    "         ostrapel-cli [--program-dir MAP] trend --coll NR-VOLGNR --type 1|2\n"
    "                      [--from JJJJ-MM] [--to JJJJ-MM]\n"
    "         ostrapel-cli create-database --connection CONNECTIESTRING\n"
    "         ostrapel-cli migrate --from CONNECTIESTRING --to CONNECTIESTRING\n";

int usage(const QString& problem = {}) {
    if (!problem.isEmpty()) std::fprintf(stderr, "ostrapel-cli: %s\n", problem.toUtf8().constData());
    std::fputs(UsageText, stderr);
    return ExitFailure;
}

int help() {
    std::printf(
        "%s\n"
        "  import          importeert borderellen (zip-archieven of .dat-bestanden); exit 0 als\n"
        "                  alles is geimporteerd of eerder al was verwerkt, 1 als een bestand\n"
        "                  wegens fouten is overgeslagen, 2 bij een storing\n"
        "  collectivities  toont de collectiviteiten in de database\n"
        "  trend           premieverloop per maand: maand;premie;correcties;personen\n"
        "  backup          maakt een reservekopie van de database\n"
        "  compact         comprimeert en herstelt de database\n"
        "  create-database maakt de database aan in een lege PostgreSQL-database\n"
        "  migrate         kopieert een database (bijv. het SQLite-bestand) naar een andere\n"
        "                  (bijv. een PostgreSQL-server), in een keer, met controle van de aantallen\n\n"
        "  --program-dir MAP  de programmamap (standaard: de map van ostrapel-cli)\n"
        "  --connection CONNECTIESTRING  gebruikt deze database in plaats van de ingestelde\n"
        "  --all              importeert ook bestanden met afwijkende aantallen\n"
        "  --wait SECONDEN    wacht zo lang op een andere import (standaard 300), dan exit 2\n"
        "  --keep-backup      bewaart bij compact de reservekopie\n"
        "  -h, --help         toont deze hulp\n",
        UsageText);
    return ExitOk;
}

QString figures(const StatementSummary& s) {
    const QLocale nl = programLocale();
    return QStringLiteral("  records: %1 vermeld, %2 geteld; personen: %3 vermeld, %4 geteld; bedrag: %5 "
                          "vermeld, %6 berekend")
        .arg(s.statedRecords)
        .arg(s.countedRecords)
        .arg(s.statedPersons)
        .arg(s.countedPersons)
        .arg(nl.toString(s.statedTotal, 'f', 2), nl.toString(s.countedTotal, 'f', 2));
}

int runImport(StatementDatabase& dm, const RecordCatalogue& catalogue, Settings& settings,
              CliPrompts& prompts, const QStringList& files, bool all, int waitSeconds) {
    const QString importDir = settings.importDir();
    for (const QString& file : files) {
        if (!QFileInfo(file).isFile()) {
            prompts.error(QStringLiteral("Het bestand \"%1\" bestaat niet.").arg(file));
            return ExitFailure;
        }
    }
    // Another import (the program, or a second command) uses the Import folder: wait for it.
    bool waited = false;
    const ImportFolderLock lock(
        importDir,
        [&](const QString& text) {
            waited = true;
            printWaiting(text);
        },
        waitSeconds);
    // a compaction meanwhile may have put a new database file in place
    if (waited && !dm.connection().isPostgreSql()) dm.connection().open(dm.connection().connectionString());
    // Leftovers of an earlier run are not ours to import.
    ImportCommand::removeFiles(importDir, ImportCommand::statementFiles(importDir));

    QStringList paths;
    ImportCommand command(settings, prompts, {});
    bool archiveFailed = false;
    for (const QString& file : files) {
        if (QFileInfo(file).suffix().compare(QStringLiteral("zip"), Qt::CaseInsensitive) == 0) {
            const qsizetype damaged = command.damagedArchives().size();
            const qsizetype fruitless = command.fruitlessArchives().size();
            command.extractArchives({file});
            if (command.fruitlessArchives().size() > fruitless)
                prompts.error(ImportCommandTexts::ArchiveWithoutStatements.arg(QFileInfo(file).fileName()));
            // an archive that gave nothing is a file left out
            archiveFailed = archiveFailed || command.damagedArchives().size() > damaged ||
                            command.fruitlessArchives().size() > fruitless;
        } else {
            paths << QFileInfo(file).absoluteFilePath();
        }
    }
    for (const QString& name : ImportCommand::statementFiles(importDir))
        paths << importDir + name;
    auto cleanUp = [&] {
        ImportCommand::removeFiles(importDir,
                                   ImportCommand::statementFiles(importDir) + command.unpackedFiles());
    };
    if (paths.isEmpty()) {
        cleanUp();
        return ExitLeftOut;
    }

    int exitCode = archiveFailed ? ExitLeftOut : ExitOk;
    SilentImportView view;
    ImportRun run(dm.connection(), catalogue, prompts, view, dm.getDatabaseVersion(), importDir);
    run.setFileList(paths);
    std::vector<StatementSummary> checked;
    try {
        run.execute([&](std::vector<StatementSummary>& summaries) {
            ImportOverview overview(summaries);
            if (all) {
                for (int i = 0; i < overview.rowCount(); ++i)
                    overview.setTicked(i, true);
            } else {
                overview.toggleSelectAll();
            }
            const bool accepted = overview.acceptClose(prompts);
            checked = summaries;
            return accepted;
        });
        for (const StatementSummary& s : checked) {
            const auto result =
                std::find_if(run.results().begin(), run.results().end(),
                             [&](const ImportRun::FileResult& r) { return r.path == s.fileName; });
            if (result != run.results().end()) {
                out(result->text);
                if (result->outcome == ImportRun::Outcome::NotFound) exitCode = ExitFailure;
            } else {
                const QString reasons = errorReasons(s);
                out(QStringLiteral("Informatie uit file \"%1\" werd niet geimporteerd (%2)")
                        .arg(QFileInfo(s.fileName).fileName(),
                             reasons.isEmpty() ? QStringLiteral("niet geselecteerd") : reasons));
                exitCode = std::max<int>(exitCode, ExitLeftOut);
            }
            out(figures(s));
        }
        NullProgress progress;
        dm.convertToEuro(progress);
    } catch (const std::exception& e) {
        // what went in before the stop stays in: say so
        for (const ImportRun::FileResult& r : run.results())
            out(r.text);
        prompts.error(errorMessage(e));
        exitCode = ExitFailure;
    }
    cleanUp();
    return exitCode;
}

int listCollectivities(StatementDatabase& dm) {
    DataSet rows = dm.connection().query(SharedQueries::CollectivitiesQuery);
    for (rows.first(); !rows.eof(); rows.next())
        out(collectivityCaption(
            {rows.value(QStringLiteral("CollNr")).toInt(), rows.value(QStringLiteral("CollVolgNr")).toInt()},
            rows.value(QStringLiteral("VerzNaam")).toString(),
            rows.value(QStringLiteral("CollNaam")).toString()));
    return ExitOk;
}

// Each stored filter: number, name and maker, then its conditions one a line.
int listFilters(StatementDatabase& dm) {
    FilterStore store(dm.connection());
    DataSet rows = store.list();
    for (rows.first(); !rows.eof(); rows.next()) {
        const int id = rows.value(QStringLiteral("FilterId")).toInt();
        out(QStringLiteral("%1\t%2\t%3")
                .arg(id)
                .arg(rows.value(QStringLiteral("FilterNaam")).toString(),
                     rows.value(QStringLiteral("GemaaktDoor")).toString()));
        for (const FilterCriterion& c : store.criteria(id))
            out(QStringLiteral("  ") + c.Filter);
    }
    return ExitOk;
}

// The clause of the stored filter of that name; nullopt when there is none.
std::optional<QString> storedFilterClause(Connection& connection, const QString& name) {
    FilterStore store(connection);
    DataSet rows = store.list();
    if (!rows.locate(QStringLiteral("FilterNaam"), name)) return std::nullopt;
    return FilterClause::build(store.criteria(rows.value(QStringLiteral("FilterId")).toInt()), name);
}

// Writes one report to a file or standard output, and as PDF when asked.
int runReport(Connection& connection, const RecordCatalogue& catalogue, CliPrompts& prompts,
              const QStringList& args) {
    QString error;
    std::optional<ReportCommand> command = ReportCommand::parse(args, &error);
    if (!command) {
        prompts.error(error);
        return ExitFailure;
    }
    if (!command->filterName.isEmpty()) {
        std::optional<QString> clause = storedFilterClause(connection, command->filterName);
        if (!clause) {
            prompts.error(QStringLiteral("Onbekend filter: %1").arg(command->filterName));
            return ExitFailure;
        }
        command->filterClause = *clause;
    }
    if (const QString missing = command->missingData(connection); !missing.isEmpty()) {
        prompts.error(missing);
        return ExitFailure;
    }
    const int pageLength = command->pageLength > 0 ? command->pageLength : pdfLinesPerPage();
    NullProgress progress;
    const QByteArray text = command->build(connection, catalogue, pageLength, progress);
    if (command->outFile.isEmpty()) {
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    } else {
        FileWriter::writeFile(command->outFile, text);
    }
    if (!command->pdfFile.isEmpty()) {
        QStringList lines = decodeCp1252(text).split(u'\n');
        lines.removeLast();
        writeLinesPdf(command->pdfFile, lines);
    }
    return ExitOk;
}

// A command about one collectivity, parsed, and refused with the message when its
// arguments are wrong or the database does not hold the collectivity.
template <class Command>
std::optional<Command> parsedForCollectivity(Connection& connection, CliPrompts& prompts,
                                             const QStringList& args) {
    QString error;
    std::optional<Command> command = Command::parse(args, &error);
    if (!command) {
        prompts.error(error);
        return std::nullopt;
    }
    if (const QString unknown = command->unknownCollectivity(connection); !unknown.isEmpty()) {
        prompts.error(unknown);
        return std::nullopt;
    }
    return command;
}

// Writes the export file of one collectivity.
int runExport(Connection& connection, const RecordCatalogue& catalogue, CliPrompts& prompts,
              const QStringList& args) {
    const std::optional<ExportCommand> command =
        parsedForCollectivity<ExportCommand>(connection, prompts, args);
    if (!command) return ExitFailure;
    out(QStringLiteral("%1 records geexporteerd").arg(command->run(connection, catalogue)));
    return ExitOk;
}

// The premium trend of one collectivity, a line per month.
int runTrend(Connection& connection, CliPrompts& prompts, const QStringList& args) {
    const std::optional<TrendCommand> command =
        parsedForCollectivity<TrendCommand>(connection, prompts, args);
    if (!command) return ExitFailure;
    for (const QString& line : command->lines(connection))
        out(line);
    return ExitOk;
}

// Backup and compaction for scheduled jobs: the messages on standard output;
// the compaction keeps its backup only when told to.
int runMaintenance(StatementDatabase& dm, Settings& settings, CliPrompts& prompts, const QString& command,
                   bool keepBackup, int waitSeconds) {
    prompts.stream = stdout;
    prompts.answerYes = keepBackup;
    NullProgress progress;
    if (command == QStringLiteral("backup"))
        return DatabaseBackup(dm.connection(), settings, prompts, progress).run() ==
                       DatabaseBackup::Outcome::Done
                   ? ExitOk
                   : ExitFailure;
    DatabaseCompactor compactor(dm.connection(), settings, prompts, progress);
    // an import and the compaction take turns
    compactor.holdImports = [&] {
        return std::make_shared<ImportFolderLock>(settings.importDir(), printWaiting, waitSeconds);
    };
    return compactor.compactAndRepair() ? ExitOk : ExitFailure;
}

} // namespace

// The command word: the first argument that is neither an option nor an option's value.
QString commandOf(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--program-dir") ||
            arguments[i] == QStringLiteral("--connection") || arguments[i] == QStringLiteral("--from") ||
            arguments[i] == QStringLiteral("--to")) {
            ++i;
            continue;
        }
        if (!arguments[i].startsWith(u'-')) return arguments[i];
    }
    return {};
}

int main(int argc, char** argv) {
    keepNewFilesPrivate();
    // Reports measure their pages with the fonts of a PDF page: they need the GUI
    // library, which runs without a display on the offscreen platform.
    const bool report =
        std::any_of(argv + 1, argv + argc, [](const char* a) { return qstrcmp(a, "report") == 0; });
    if (report && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = report ? std::make_unique<QGuiApplication>(argc, argv)
                                                   : std::make_unique<QCoreApplication>(argc, argv);
    installProgramLocale();
    QCommandLineParser parser;
    const QCommandLineOption programDirOption(QStringLiteral("program-dir"), QString(),
                                              QStringLiteral("MAP"));
    const QCommandLineOption allOption(QStringLiteral("all"));
    const QCommandLineOption keepBackupOption(QStringLiteral("keep-backup"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption connectionOption(QStringLiteral("connection"), QString(),
                                              QStringLiteral("STRING"));
    const QCommandLineOption fromOption(QStringLiteral("from"), QString(), QStringLiteral("STRING"));
    const QCommandLineOption toOption(QStringLiteral("to"), QString(), QStringLiteral("STRING"));
    const QCommandLineOption waitOption(QStringLiteral("wait"), QString(), QStringLiteral("SECONDEN"),
                                        QString::number(DefaultImportWait));
    parser.addOptions({programDirOption, allOption, keepBackupOption, helpOption, connectionOption,
                       fromOption, toOption, waitOption});
    // A report or export reads its own options: everything after the command is its.
    const QString first = commandOf(app->arguments());
    if (first == QStringLiteral("report") || first == QStringLiteral("export") ||
        first == QStringLiteral("trend"))
        parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(app->arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        // only the last argument can lack its value
        const QString last = app->arguments().last();
        const QString missing = last == QStringLiteral("--program-dir")
                                    ? QStringLiteral("bij --program-dir ontbreekt de map")
                                : last == QStringLiteral("--wait")
                                    ? QStringLiteral("bij --wait ontbreekt het aantal seconden")
                                    : QStringLiteral("bij %1 ontbreekt de connectie-string").arg(last);
        return usage(unknown.isEmpty() ? missing
                                       : QStringLiteral("onbekende optie \"%1\"")
                                             .arg((unknown.first().size() == 1 ? QStringLiteral("-")
                                                                               : QStringLiteral("--")) +
                                                  unknown.first()));
    }
    if (parser.isSet(helpOption)) return help();
    const QString programDir =
        parser.isSet(programDirOption) ? parser.value(programDirOption) : executableDir();
    QStringList args = parser.positionalArguments();
    if (args.isEmpty()) return usage();
    const QString command = args.takeFirst();
    if (command == QStringLiteral("create-database") || command == QStringLiteral("migrate")) {
        if (!args.isEmpty()) return usage(QStringLiteral("onverwacht argument \"%1\"").arg(args.first()));
        CliPrompts prompts;
        try {
            if (command == QStringLiteral("create-database")) {
                if (!parser.isSet(connectionOption))
                    return usage(QStringLiteral("create-database zonder --connection"));
                createDeliveredPostgreSqlDatabase(parser.value(connectionOption));
                out(QStringLiteral("De database is aangemaakt."));
            } else {
                if (!parser.isSet(fromOption) || !parser.isSet(toOption))
                    return usage(QStringLiteral("migrate zonder --from of --to"));
                DatabaseMigration::run(parser.value(fromOption), parser.value(toOption),
                                       [](const QString& line) {
                                           out(line);
                                           std::fflush(stdout);
                                       });
                out(QStringLiteral("De database is gekopieerd."));
            }
        } catch (const std::exception& e) {
            prompts.error(errorMessage(e));
            return ExitFailure;
        }
        return ExitOk;
    }
    bool waitNumber = false;
    const int waitSeconds = parser.value(waitOption).toInt(&waitNumber);
    if (!waitNumber || waitSeconds < 0)
        return usage(
            QStringLiteral("--wait verwacht een aantal seconden, niet \"%1\"").arg(parser.value(waitOption)));
    const bool all = parser.isSet(allOption);
    const bool keepBackup = parser.isSet(keepBackupOption);
    const bool maintenance = command == QStringLiteral("backup") || command == QStringLiteral("compact");
    const bool takesArgs = command == QStringLiteral("import") || command == QStringLiteral("report") ||
                           command == QStringLiteral("export") || command == QStringLiteral("trend");
    if (!takesArgs && command != QStringLiteral("collectivities") && command != QStringLiteral("filters") &&
        !maintenance)
        return usage(QStringLiteral("onbekende opdracht \"%1\"").arg(command));
    if (command == QStringLiteral("import") && args.isEmpty())
        return usage(QStringLiteral("import zonder bestanden"));
    if (!takesArgs && !args.isEmpty())
        return usage(QStringLiteral("onverwacht argument \"%1\"").arg(args.first()));

    CliPrompts prompts;
    // A mistyped folder must not grow a program folder's tree and settings.
    if (parser.isSet(programDirOption) && !isProgramFolder(programDir)) {
        prompts.error(NotAProgramFolder.arg(QDir::toNativeSeparators(programDir)));
        return ExitFailure;
    }
    Settings settings(programDir);
    // The program refuses to start with update scripts waiting; so does the command.
    if (!maintenance) {
        const QStringList scripts = UpdateScriptRunner::findScripts(settings.sqlScriptsDir());
        if (!scripts.isEmpty()) {
            prompts.error(ScriptsWaiting.arg(scripts.join(QStringLiteral(", "))));
            return ExitFailure;
        }
    }
    int result = ExitFailure;
    {
        // a scheduled job finds no store and keeps to ~/.pgpass
        KeychainPasswordStore passwords;
        StatementDatabase dm(settings, prompts, passwords);
        if (parser.isSet(connectionOption)) dm.setConnectionOverride(parser.value(connectionOption));
        RecordCatalogue catalogue;
        try {
            // the question it declined says why the connection failed
            if (!dm.startUp(checkZipLibraries)) return ExitFailure;
            if (maintenance) {
                result = runMaintenance(dm, settings, prompts, command, keepBackup, waitSeconds);
            } else {
                dm.repairCatalogueAndIndex();
                catalogue.load(dm.connection());
                if (command == QStringLiteral("import"))
                    result = runImport(dm, catalogue, settings, prompts, args, all, waitSeconds);
                else if (command == QStringLiteral("export"))
                    result = runExport(dm.connection(), catalogue, prompts, args);
                else if (command == QStringLiteral("report"))
                    result = runReport(dm.connection(), catalogue, prompts, args);
                else if (command == QStringLiteral("trend"))
                    result = runTrend(dm.connection(), prompts, args);
                else if (command == QStringLiteral("filters"))
                    result = listFilters(dm);
                else
                    result = listCollectivities(dm);
            }
        } catch (const std::exception& e) {
            prompts.error(errorMessage(e));
            result = ExitFailure;
        }
    }
    return result;
}
