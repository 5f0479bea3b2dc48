#include "ImportWorker.h"

#include "core/OstrapelError.h"

namespace ostrapel {

namespace {

QString workerConnectionName(const void* worker) {
    return QStringLiteral("ostrapel-import-%1").arg(quintptr(worker), 0, 16);
}

} // namespace

ImportWorker::ImportWorker(QString connectionString, const RecordCatalogue& catalogue, Prompts& prompts,
                           ImportView& view, QObject* viewContext, int databaseVersion,
                           const QString& importDir)
    : connectionString_(std::move(connectionString)), calls_(this), prompts_(prompts, calls_),
      connection_(workerConnectionName(this)) {
    relay_.connectTo(view, viewContext);
    // the progress held back is shown before a box makes the run wait
    calls_.setBeforeWaiting([this] { relay_.flush(); });
    run_ = std::make_unique<ImportRun>(connection_, catalogue, prompts_, relay_, databaseVersion, importDir);
}

ImportWorker::~ImportWorker() {
    if (!thread_) return;
    run_->requestStop();
    calls_.close(); // a prompt the run waits for gives its fallback
    thread_->wait();
}

void ImportWorker::start(ImportRun::OverviewFn showOverview) {
    if (thread_) return;
    errorText_.clear();
    thread_.reset(QThread::create([this, showOverview] { work(showOverview); }));
    thread_->setObjectName(QStringLiteral("import"));
    connect(thread_.get(), &QThread::finished, this, [this] {
        thread_->wait();
        thread_.reset();
        emit finished();
    });
    thread_->start();
}

void ImportWorker::work(const ImportRun::OverviewFn& showOverview) {
    try {
        connection_.open(connectionString_);
        run_->execute([this, &showOverview](std::vector<StatementSummary>& summaries) {
            // the run waits while the user ticks its files, so they may be edited there
            return calls_.call<bool>([&] { return showOverview(summaries); }, false);
        });
    } catch (const std::exception& e) {
        errorText_ = errorMessage(e);
    } catch (...) {
        errorText_ = QStringLiteral("Onbekende fout tijdens het importeren");
    }
    relay_.flush();
    connection_.close();
}

} // namespace ostrapel
