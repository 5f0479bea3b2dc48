#include "DatabaseBackup.h"

#include "BackupFiles.h"
#include "MaintenanceError.h"
#include "MaintenanceTexts.h"
#include "ServerDump.h"

#include "core/Connection.h"
#include "core/ProgressReporter.h"
#include "core/Prompts.h"
#include "core/Settings.h"

namespace ostrapel {

using namespace MaintenanceTexts;

DatabaseBackup::Outcome DatabaseBackup::run(const MaintenanceGuard& guard) {
    backup_.clear();
    if (!guard.confirm(CompactWord) || guard.windowCount() > 0) return Outcome::NotRun;

    const ProgressScope copying(progress_, CopyProgressCaption);

    if (connection_.isPostgreSql()) { // the server keeps running: nothing to close
        try {
            backup_ = ServerDump::dump(connection_.connectionString(),
                                       ServerDump::backupsFolder(settings_.programDir()));
        } catch (const MaintenanceError& e) {
            prompts_.error(e.message());
            return Outcome::NotRun;
        }
        prompts_.inform(BackupDone);
        return Outcome::Done;
    }

    const QString connectionString = connection_.connectionString();
    const QString path = ConnectionString::parse(connectionString).dataSource();
    connection_.close();
    try {
        backup_ = BackupFiles::copyToBackup(path, settings_.helpdeskPhoneNumber());
    } catch (const MaintenanceError& e) {
        prompts_.error(e.message());
        return Outcome::EndProgram;
    }
    connection_.open(connectionString);
    prompts_.inform(BackupDone);
    return Outcome::Done;
}

} // namespace ostrapel
