#pragma once

#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/ImportWorker.h"

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace ostrapel {

class Connection;
class Prompts;
class RecordCatalogue;

// "Importeren": checks the chosen statement files, shows the overview and
// writes the ticked files, with progress per file and per line. The run goes
// on a worker thread, so the dialog stays responsive and "Stoppen" can end it.
class ImportDialog : public QDialog, public ImportView {
    Q_OBJECT
public:
    ImportDialog(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                 int databaseVersion, const QString& importDir, QWidget* parent = nullptr);
    ~ImportDialog() override;

    void setSingleFile(const QString& path) { worker_->run().setSingleFile(path); }
    void setFileList(const QStringList& names) { worker_->run().setFileList(names); }
    // The overview shown during the run; tests replace it.
    std::function<bool(std::vector<StatementSummary>&)> overviewHook;

    // Read the run once importFinished() is true.
    ImportRun& run() { return worker_->run(); }
    ImportWorker& worker() { return *worker_; }
    QListWidget* listBox() const { return messageList; }
    QPushButton* okButton() const { return btnOk; }
    QPushButton* stopButton() const { return btnStop; }
    // True once the worker has ended and the dialog has shown its outcome.
    bool importFinished() const { return finished_; }

    // Not while the import runs: "Stoppen" ends it.
    void reject() override;

    // ImportView
    void setCaption(const QString& text) override;
    int addListEntry(const QString& text) override;
    void replaceListEntry(int index, const QString& text) override;
    void clearList() override;
    void setGeneralStatus(const QString& text) override;
    void setStatus(const QString& text) override;
    void setFileProgress(int position, int maximum) override;
    void setLineProgress(int position, int maximum) override;
    void setCounterPanel(const QString& text) override;
    void setOkEnabled(bool enabled) override;
    void setBusy(bool busy) override;
    void processEvents() override;

signals:
    void importEnded();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void activate();
    void workerFinished();

    Prompts& prompts_;
    std::unique_ptr<ImportWorker> worker_;
    QLabel* lblStatusAlg;
    QProgressBar* pbAlg;
    QLabel* lblStatus;
    QProgressBar* pbParse;
    QListWidget* messageList;
    QLabel* sbrPanel;
    QPushButton* btnOk;
    QPushButton* btnStop;
    bool started_ = false;
    bool finished_ = false;
    int busy_ = 0;
};

} // namespace ostrapel
