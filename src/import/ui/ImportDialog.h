#pragma once

#include "import/ImportRun.h"
#include "import/ImportView.h"

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
// writes the ticked files, with progress per file and per line.
class ImportDialog : public QDialog, public ImportView {
    Q_OBJECT
public:
    ImportDialog(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                 int databaseVersion, const QString& importDir, QWidget* parent = nullptr);
    ~ImportDialog() override;

    void setSingleFile(const QString& path) { run_->setSingleFile(path); }
    void setFileList(const QStringList& names) { run_->setFileList(names); }
    // The overview shown during the run; tests replace it.
    std::function<bool(std::vector<StatementSummary>&)> overviewHook;

    ImportRun& run() { return *run_; }
    QListWidget* listBox() const { return ListBox1; }
    QPushButton* okButton() const { return btnOk; }

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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void activate();

    Prompts& prompts_;
    std::unique_ptr<ImportRun> run_;
    QLabel* lblStatusAlg;
    QProgressBar* pbAlg;
    QLabel* lblStatus;
    QProgressBar* pbParse;
    QListWidget* ListBox1;
    QLabel* sbrPanel;
    QPushButton* btnOk;
    bool started_ = false;
    int busy_ = 0;
};

} // namespace ostrapel
