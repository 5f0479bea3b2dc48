#pragma once

#include "MaintenanceGuard.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

namespace ostrapel {

class Connection;
class ProgressReporter;
class Prompts;
class Settings;

// "Database comprimeren en repareren": the database is copied to a backup name,
// the engine writes a compacted, checked copy beside it, and that copy is
// renamed over the database.
class DatabaseCompactor {
public:
    DatabaseCompactor(Connection& connection, Settings& settings, Prompts& prompts,
                      ProgressReporter& progress)
        : connection_(connection), settings_(settings), prompts_(prompts), progress_(progress) {}

    // Compacts `source` into the new file `destination` and checks the result;
    // MaintenanceError (CompactAndRepair) with the engine's message on failure.
    static void packDatabase(const QString& source, const QString& destination);
    // The marker of the monthly reminder: its time becomes `now`; created when missing.
    static void renewOnceAMonthMarker(const QString& markerPath, const QDateTime& now);

    // The command. True when the database was compacted; on a failure the
    // database stays as it was and the connection is opened again.
    bool compactAndRepair(const MaintenanceGuard& guard = {});
    // The compaction step; replaceable in tests.
    std::function<void(const QString& source, const QString& destination)> pack =
        &DatabaseCompactor::packDatabase;

    // Takes the Import folder for the run, as an import does, so that an
    // import and the compaction take turns; throws OstrapelError when it is
    // not free in time. Unset where no import can run beside it.
    std::function<std::shared_ptr<void>()> holdImports;

    // The backup kept after success (empty when discarded or on failure).
    QString keptBackup() const { return keptBackup_; }

private:
    bool vacuumOnServer();
    Connection& connection_;
    Settings& settings_;
    Prompts& prompts_;
    ProgressReporter& progress_;
    QString keptBackup_;
};

} // namespace ostrapel
