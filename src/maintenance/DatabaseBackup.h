#pragma once

#include "MaintenanceGuard.h"

namespace ostrapel {

class Connection;
class ProgressReporter;
class Prompts;
class Settings;

// "Database backup maken": a consistent copy of the database beside it.
class DatabaseBackup {
public:
    enum class Outcome { NotRun, Done, EndProgram };

    DatabaseBackup(Connection& connection, Settings& settings, Prompts& prompts, ProgressReporter& progress)
        : connection_(connection), settings_(settings), prompts_(prompts), progress_(progress) {}

    // EndProgram: the copy failed, the message said so and the program must end.
    Outcome run(const MaintenanceGuard& guard = {});
    QString backupPath() const { return backup_; }

private:
    Connection& connection_;
    Settings& settings_;
    Prompts& prompts_;
    ProgressReporter& progress_;
    QString backup_;
};

} // namespace ostrapel
