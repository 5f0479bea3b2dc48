// ostrapel-cli: the headless import and the collectivity list.
//   ostrapel-cli [--program-dir DIR] import [--all] FILE...
//   ostrapel-cli [--program-dir DIR] collectivities
//   ostrapel-cli [--program-dir DIR] backup
//   ostrapel-cli [--program-dir DIR] compact [--keep-backup]
#include "CliPrompts.h"

#include "core/BorderelDatabase.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/DisplayFormat.h"
#include "core/Paths.h"
#include "core/ProgressReporter.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "import/CheckPass.h"
#include "import/ImportCommand.h"
#include "import/ImportOverview.h"
#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/SilentImportView.h"
#include "import/ZipArchive.h"
#include "maintenance/DatabaseBackup.h"
#include "maintenance/DatabaseCompactor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

using namespace ostrapel;

namespace {

enum Exit { ExitOk = 0, ExitLeftOut = 1, ExitFailure = 2 };

void out(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
}

int usage() {
    std::fprintf(stderr, "gebruik: ostrapel-cli [--program-dir MAP] import [--all] BESTAND...\n"
                         "         ostrapel-cli [--program-dir MAP] collectivities\n"
                         "         ostrapel-cli [--program-dir MAP] backup\n"
                         "         ostrapel-cli [--program-dir MAP] compact [--keep-backup]\n");
    return ExitFailure;
}

QString figures(const StatementSummary& s) {
    const QLocale nl = programLocale();
    return QStringLiteral("  records: %1 vermeld, %2 geteld; personen: %3 vermeld, %4 geteld; bedrag: %5 "
                          "vermeld, %6 berekend")
        .arg(s.AantalRec)
        .arg(s.ImpAantalRec)
        .arg(s.AantalPers)
        .arg(s.ImpAantalPers)
        .arg(nl.toString(s.TotaalBedrag, 'f', 2), nl.toString(s.ImpTotaalBedr, 'f', 2));
}

int runImport(BorderelDatabase& dm, const RecordCatalogue& catalogue, Settings& settings, CliPrompts& prompts,
              const QStringList& files, bool all) {
    const QString importDir = settings.importDir();
    // Leftovers of an earlier run are not ours to import.
    ImportCommand::removeFiles(importDir, ImportCommand::statementFiles(importDir));

    QStringList paths;
    ImportCommand command(settings, prompts, {});
    for (const QString& file : files) {
        if (!QFileInfo(file).isFile()) {
            prompts.error(QStringLiteral("Het bestand \"%1\" bestaat niet.").arg(file));
            return ExitFailure;
        }
        if (QFileInfo(file).suffix().compare(QStringLiteral("zip"), Qt::CaseInsensitive) == 0) {
            if (command.extractArchives({file}) == 0) return ExitFailure; // damaged or empty
        } else {
            paths << QFileInfo(file).absoluteFilePath();
        }
    }
    for (const QString& name : ImportCommand::statementFiles(importDir))
        paths << importDir + name;

    int exitCode = ExitOk;
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
                const QString reasons = errorReasons(errorFlags(s));
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
        prompts.error(errorMessage(e));
        exitCode = ExitFailure;
    }
    ImportCommand::removeFiles(importDir, ImportCommand::statementFiles(importDir));
    return exitCode;
}

int listCollectivities(BorderelDatabase& dm) {
    DataSet rows = dm.connection().query(SharedQueries::QryCollectiviteiten);
    for (rows.first(); !rows.eof(); rows.next())
        out(collectivityCaption(rows.value(QStringLiteral("CollNr")).toInt(),
                                rows.value(QStringLiteral("CollVolgNr")).toInt(),
                                rows.value(QStringLiteral("VerzNaam")).toString(),
                                rows.value(QStringLiteral("CollNaam")).toString()));
    return ExitOk;
}

// Backup and compaction for scheduled jobs: the messages on standard output;
// the compaction keeps its backup only when told to.
int runMaintenance(BorderelDatabase& dm, Settings& settings, CliPrompts& prompts, const QString& command,
                   bool keepBackup) {
    prompts.stream = stdout;
    prompts.answerYes = keepBackup;
    NullProgress progress;
    if (command == QStringLiteral("backup"))
        return DatabaseBackup(dm.connection(), settings, prompts, progress).run() ==
                       DatabaseBackup::Outcome::Done
                   ? ExitOk
                   : ExitFailure;
    return DatabaseCompactor(dm.connection(), settings, prompts, progress).compactAndRepair() ? ExitOk
                                                                                              : ExitFailure;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    QStringList args = app.arguments().mid(1);
    QString programDir = executableDir();
    if (args.size() >= 2 && args[0] == QStringLiteral("--program-dir")) {
        programDir = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty()) return usage();
    const QString command = args.takeFirst();
    bool all = false;
    if (command == QStringLiteral("import") && !args.isEmpty() && args.first() == QStringLiteral("--all")) {
        all = true;
        args.removeFirst();
    }
    bool keepBackup = false;
    if (command == QStringLiteral("compact") && !args.isEmpty() &&
        args.first() == QStringLiteral("--keep-backup")) {
        keepBackup = true;
        args.removeFirst();
    }
    const bool maintenance = command == QStringLiteral("backup") || command == QStringLiteral("compact");
    if ((command == QStringLiteral("import") && args.isEmpty()) ||
        (command != QStringLiteral("import") && !args.isEmpty()) ||
        (command != QStringLiteral("import") && command != QStringLiteral("collectivities") && !maintenance))
        return usage();

    Settings settings(programDir);
    CliPrompts prompts;
    int result = ExitFailure;
    {
        BorderelDatabase dm(settings, prompts);
        RecordCatalogue catalogue;
        try {
            if (!dm.dataModuleCreate(checkZipLibraries)) return ExitFailure;
            if (maintenance) {
                result = runMaintenance(dm, settings, prompts, command, keepBackup);
            } else {
                dm.repairCatalogueAndIndex();
                catalogue.load(dm.connection());
                result = command == QStringLiteral("import")
                             ? runImport(dm, catalogue, settings, prompts, args, all)
                             : listCollectivities(dm);
            }
        } catch (const std::exception& e) {
            prompts.error(errorMessage(e));
            result = ExitFailure;
        }
    }
    return result;
}
