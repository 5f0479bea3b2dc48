#include "MaintenanceCommands.h"

#include "ProgramHost.h"
#include "ShellTexts.h"
#include "widgets/ProgressWindow.h"

#include "core/Settings.h"
#include "core/StatementDatabase.h"
#include "import/ImportFolderLock.h"
#include "maintenance/DatabaseBackup.h"
#include "maintenance/DatabaseCompactor.h"
#include "maintenance/MaintenanceQueries.h"
#include "maintenance/MaintenanceTexts.h"
#include "maintenance/SystemInformation.h"
#include "maintenance/UpdateScripts.h"
#include "maintenance/ui/CleanupDialog.h"
#include "maintenance/ui/UpdateScriptsDialog.h"
#include "reports/ui/TextViewerDialog.h"
#include "widgets/Dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ostrapel {

bool MaintenanceCommands::runUpdateScripts() {
    UpdateScripts scripts(dm_.connection(), settings_, prompts_);
    return scripts.runUpdateScripts([this](const QStringList& names) {
        UpdateScriptsDialog dialog(dm_.connection(), settings_.sqlScriptsDir(), names, prompts_, parent_);
        return dialogs_.run(dialog) == QDialog::Accepted;
    });
}

void MaintenanceCommands::writeProgramInfo() {
    SystemInformation info(settings_.infoDir());
    if (dm_.connection().isOpen() && dm_.connection().isPostgreSql())
        info.databaseServer = dm_.connection().scalar(MaintenanceQueries::ServerVersion).toString();
    info.writeProgramInfo(programFile);
}

void MaintenanceCommands::cleanDatabase() {
    if (!hooks_.guard.confirm(MaintenanceTexts::CleanupWord)) return;
    if (hooks_.guard.windowCount() > 0) {
        prompts_.inform(ShellTexts::CannotClean);
        return;
    }
    CleanupDialog dialog(dm_.connection(), prompts_, parent_);
    if (dialogs_.run(dialog) != QDialog::Accepted) return;
    if (hooks_.showStatus) hooks_.showStatus(dialog.removed().text());
    hooks_.rebuildOpenList();
}

bool MaintenanceCommands::compactAndRepair() {
    ProgressWindow progress(parent_);
    progress.setObjectName(QStringLiteral("dlgCopyFileProgress"));
    DatabaseCompactor compactor(dm_.connection(), settings_, prompts_, progress);
    // An import of another workstation holds the database: no waiting here.
    compactor.holdImports = [this] {
        return std::make_shared<ImportFolderLock>(settings_.importDir(), nullptr, 0);
    };
    return compactor.compactAndRepair(hooks_.guard);
}

void MaintenanceCommands::backupDatabase() {
    ProgressWindow progress(parent_);
    progress.setObjectName(QStringLiteral("dlgCopyFileProgress"));
    if (DatabaseBackup(dm_.connection(), settings_, prompts_, progress).run(hooks_.guard) ==
        DatabaseBackup::Outcome::EndProgram)
        host_.endProgram(1);
}

void MaintenanceCommands::showSystemInfo() {
    const QString path = SystemInformation(settings_.infoDir()).infoFilePath(programFile);
    if (!QFileInfo(path).isFile()) return;
    TextViewerDialog viewer(prompts_, printer_, parent_);
    viewer.loadFile(path);
    viewer.setFixedSize(viewer.size());
    dialogs_.run(viewer);
}

} // namespace ostrapel
