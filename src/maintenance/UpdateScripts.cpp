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

QString UpdateScripts::copyFileToBackups() const {
    const QFileInfo database(ConnectionString::parse(connection_.connectionString()).dataSource());
    const QString folder = database.dir().filePath(BackupsFolder);
    if (!QDir().mkpath(folder)) throw DatabaseError(folder);
    const QString target = BackupFiles::nextBackupName(QDir(folder).filePath(database.fileName()));
    BackupFiles::copyDatabase(database.filePath(), target);
    return target;
}

bool UpdateScripts::runUpdateScripts(const DialogRunner& runDialog) {
    backup_.clear();
    const QStringList names = UpdateScriptRunner::findScripts(settings_.sqlScriptsDir());
    if (names.isEmpty()) return true;
    if (!prompts_.askYesNo(MsgType::Confirmation, AskRunScripts)) {
        prompts_.inform(ProgramEnds);
        return false;
    }
    // The failure message promises a copy of the old database in "backups".
    try {
        backup_ = connection_.isPostgreSql()
                      ? ServerDump::dump(connection_.connectionString(),
                                         ServerDump::backupsFolder(settings_.programDir()))
                      : copyFileToBackups();
    } catch (const OstrapelError&) { // the file's copy or the server's dump
        prompts_.error(BackupFailed.arg(settings_.helpdeskPhoneNumber()));
        return false;
    }
    if (!runDialog(names)) {
        prompts_.error(ScriptsFailed);
        return false;
    }
    return true;
}

} // namespace ostrapel
