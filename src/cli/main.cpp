// ostrapel-cli: the headless import and the collectivity list.
//   ostrapel-cli [--program-dir DIR] import [--all] FILE...
//   ostrapel-cli [--program-dir DIR] collectivities
#include "CliPrompts.h"

#include "core/DataModule.h"
#include "core/DataSet.h"
#include "core/DatabaseError.h"
#include "core/DisplayFormat.h"
#include "core/Paths.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/SharedQueries.h"
#include "core/SqlFragments.h"
#include "import/CheckPass.h"
#include "import/ImportCommand.h"
#include "import/ImportOverview.h"
#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/ZipArchive.h"

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
                         "         ostrapel-cli [--program-dir MAP] collectivities\n");
    return ExitFailure;
}

QString figures(const TmyImportStruct& s) {
    const QLocale nl = programLocale();
    return QStringLiteral("  records: %1 vermeld, %2 geteld; personen: %3 vermeld, %4 geteld; bedrag: %5 "
                          "vermeld, %6 berekend")
        .arg(s.AantalRec)
        .arg(s.ImpAantalRec)
        .arg(s.AantalPers)
        .arg(s.ImpAantalPers)
        .arg(nl.toString(s.TotaalBedrag, 'f', 2), nl.toString(s.ImpTotaalBedr, 'f', 2));
}

int runImport(TdatamodBorderel& dm, CliPrompts& prompts, const QStringList& files, bool all) {
    TStaticSettings& settings = StaticSettings();
    const QString importDir = settings.ImportDir();
    // Leftovers of an earlier run are not ours to import.
    ImportCommand::RemoveFiles(importDir, ImportCommand::StatementFiles(importDir));

    QStringList paths;
    ImportCommand command(settings, prompts, {});
    for (const QString& file : files) {
        if (!QFileInfo(file).isFile()) {
            prompts.error(QStringLiteral("Het bestand \"%1\" bestaat niet.").arg(file));
            return ExitFailure;
        }
        if (QFileInfo(file).suffix().compare(QStringLiteral("zip"), Qt::CaseInsensitive) == 0) {
            if (command.ExtractArchives({file}) == 0 && ZipArchive::entries(file).isEmpty())
                return ExitFailure;
        } else {
            paths << QFileInfo(file).absoluteFilePath();
        }
    }
    for (const QString& name : ImportCommand::StatementFiles(importDir))
        paths << importDir + name;

    int exitCode = ExitOk;
    SilentImportView view;
    ImportRun run(dm.connection(), MemLists(), prompts, view, dm.GetDatabaseVersion(), importDir);
    run.SetFileList(paths);
    std::vector<TmyImportStruct> checked;
    try {
        run.Execute([&](std::vector<TmyImportStruct>& summaries) {
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
        for (const TmyImportStruct& s : checked) {
            const auto result =
                std::find_if(run.results().begin(), run.results().end(),
                             [&](const ImportRun::FileResult& r) { return r.path == s.fileName; });
            if (result != run.results().end()) {
                out(result->text);
                if (result->outcome == ImportRun::Outcome::NotFound) exitCode = ExitFailure;
            } else {
                const QString reasons = ErrorReasons(ErrorFlags(s));
                out(QStringLiteral("Informatie uit file \"%1\" werd niet geimporteerd (%2)")
                        .arg(QFileInfo(s.fileName).fileName(),
                             reasons.isEmpty() ? QStringLiteral("niet geselecteerd") : reasons));
                exitCode = std::max<int>(exitCode, ExitLeftOut);
            }
            out(figures(s));
        }
        NullProgress progress;
        dm.ConvertToEuro(progress);
    } catch (const std::exception& e) {
        prompts.error(ErrorMessage(e));
        exitCode = ExitFailure;
    }
    ImportCommand::RemoveFiles(importDir, ImportCommand::StatementFiles(importDir));
    return exitCode;
}

int listCollectivities(TdatamodBorderel& dm) {
    DataSet rows = dm.connection().query(SharedQueries::QryCollectiviteiten);
    for (rows.first(); !rows.eof(); rows.next())
        out(CollectivityCaption(rows.value(QStringLiteral("CollNr")).toInt(),
                                rows.value(QStringLiteral("CollVolgNr")).toInt(),
                                rows.value(QStringLiteral("VerzNaam")).toString(),
                                rows.value(QStringLiteral("CollNaam")).toString()));
    return ExitOk;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    QStringList args = app.arguments().mid(1);
    QString programDir = ExecutableDir();
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
    if ((command == QStringLiteral("import") && args.isEmpty()) ||
        (command != QStringLiteral("import") && command != QStringLiteral("collectivities")))
        return usage();

    InitStaticSettings(programDir);
    CliPrompts prompts;
    int result = ExitFailure;
    {
        TdatamodBorderel dm(StaticSettings(), prompts);
        try {
            if (!dm.DataModuleCreate(CheckZipLibraries)) return ExitFailure;
            dm.RepairCatalogueAndIndex();
            MemLists().LoadRecordLayouts(dm.connection());
            MemLists().LoadFieldDisplay(dm.connection());
            MemLists().InstallDataSetHooks();
            result = command == QStringLiteral("import") ? runImport(dm, prompts, args, all)
                                                         : listCollectivities(dm);
        } catch (const std::exception& e) {
            prompts.error(ErrorMessage(e));
            result = ExitFailure;
        }
    }
    DestroyStaticSettings();
    return result;
}
