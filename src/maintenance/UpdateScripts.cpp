#include "UpdateScripts.h"

#include "BackupFiles.h"
#include "MaintenanceError.h"
#include "MaintenanceTexts.h"
#include "ServerDump.h"
#include "UpdateScriptRunner.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/Prompts.h"
#include "core/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace ostrapel {

using namespace MaintenanceTexts;

bool UpdateScripts::runUpdateScripts(const DialogRunner& runDialog) {
    backup_.clear();
    const QStringList names = UpdateScriptRunner::findScripts(settings_.sqlScriptsDir());
    if (names.isEmpty()) return true;
    if (!prompts_.askYesNo(MsgType::Confirmation, AskRunScripts)) {
        prompts_.inform(ProgramEnds);
        return false;
    }
    // The failure message promises a copy of the old database in "backups".
    if (connection_.isPostgreSql()) {
        try {
            backup_ = ServerDump::dump(connection_.connectionString(),
                                       ServerDump::backupsFolder(settings_.programDir()));
        } catch (const MaintenanceError&) {
            prompts_.error(BackupFailed.arg(settings_.telNrHelpdesk()));
            return false;
        }
        if (!runDialog(names)) {
            prompts_.error(ScriptsFailed);
            return false;
        }
        return true;
    }
    const QFileInfo database(ConnectionString::parse(connection_.connectionString()).dataSource());
    const QString folder = database.dir().filePath(BackupsFolder);
    try {
        if (!QDir().mkpath(folder)) throw DatabaseError(folder);
        const QString target = BackupFiles::nextBackupName(QDir(folder).filePath(database.fileName()));
        BackupFiles::copyDatabase(database.filePath(), target);
        backup_ = target;
    } catch (const DatabaseError&) {
        prompts_.error(BackupFailed.arg(settings_.telNrHelpdesk()));
        return false;
    }
    if (!runDialog(names)) {
        prompts_.error(ScriptsFailed);
        return false;
    }
    return true;
}

} // namespace ostrapel
