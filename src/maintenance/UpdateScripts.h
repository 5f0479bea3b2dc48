#pragma once

#include <QStringList>
#include <functional>

namespace ostrapel {

class Connection;
class Prompts;
class Settings;

// Start-up step: waiting update scripts must run, or the program ends.
class UpdateScripts {
public:
    UpdateScripts(Connection& connection, Settings& settings, Prompts& prompts)
        : connection_(connection), settings_(settings), prompts_(prompts) {}

    // Runs the scripts dialog for the names; true when it closed with OK.
    using DialogRunner = std::function<bool(const QStringList& names)>;
    // False when the program must end (declined, backup failed or scripts failed).
    bool runUpdateScripts(const DialogRunner& runDialog);
    // Where the copy made before the scripts went (empty when none was made).
    QString backupPath() const { return backup_; }

private:
    // A copy of the database file in "backups" beside it; throws DatabaseError.
    QString copyFileToBackups() const;
    Connection& connection_;
    Settings& settings_;
    Prompts& prompts_;
    QString backup_;
};

} // namespace ostrapel
