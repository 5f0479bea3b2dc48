#pragma once

#include "ImportRun.h"
#include "ImportViewRelay.h"

#include "core/Connection.h"
#include "core/GuiThreadCalls.h"
#include "core/GuiThreadPrompts.h"

#include <QObject>
#include <QThread>
#include <memory>

namespace ostrapel {

class RecordCatalogue;

// Runs an import (check pass, overview, writing) on a thread of its own with
// a connection of its own to the same database. Progress reaches `view` by
// queued signals; prompts and the overview are shown on this object's thread
// while the run waits for them. Created and used on the GUI thread.
class ImportWorker : public QObject {
    Q_OBJECT
public:
    ImportWorker(QString connectionString, const RecordCatalogue& catalogue, Prompts& prompts,
                 ImportView& view, QObject* viewContext, int databaseVersion, const QString& importDir);
    // Stops a run still going and waits for its end.
    ~ImportWorker() override;

    // Set up the run (its file list) before start; read its results after finished.
    ImportRun& run() { return *run_; }
    // The relay the run reports to, on the worker thread.
    ImportViewRelay& relay() { return relay_; }

    void start(ImportRun::OverviewFn showOverview);
    void requestStop() { run_->requestStop(); }
    bool isRunning() const { return thread_ != nullptr; }
    // The message of the error that ended the run; empty when none did.
    QString errorText() const { return errorText_; }

signals:
    // On this object's thread, once the worker thread has ended.
    void finished();

private:
    void work(const ImportRun::OverviewFn& showOverview);

    QString connectionString_;
    GuiThreadCalls calls_;
    GuiThreadPrompts prompts_;
    ImportViewRelay relay_;
    Connection connection_; // opened and closed on the worker thread
    std::unique_ptr<ImportRun> run_;
    std::unique_ptr<QThread> thread_;
    QString errorText_;
};

} // namespace ostrapel
