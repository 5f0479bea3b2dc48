#include "ImportDialog.h"

#include "ImportOverviewDialog.h"

#include "core/Prompts.h"
#include "core/RecordCatalogue.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace ostrapel {

ImportDialog::ImportDialog(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                           int databaseVersion, const QString& importDir, QWidget* parent)
    : QDialog(parent), prompts_(prompts), lblStatusAlg(new QLabel(this)), pbAlg(new QProgressBar(this)),
      lblStatus(new QLabel(this)), pbParse(new QProgressBar(this)), messageList(new QListWidget(this)),
      sbrPanel(new QLabel(this)), btnOk(new QPushButton(QStringLiteral("OK"), this)),
      btnStop(new QPushButton(ImportTexts::Stop, this)) {
    setWindowTitle(ImportTexts::Caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblStatusAlg);
    layout->addWidget(pbAlg);
    layout->addWidget(lblStatus);
    layout->addWidget(pbParse);
    layout->addWidget(messageList, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnStop);
    bottom->addWidget(btnOk);
    layout->addLayout(bottom);
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    sbrPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sbrPanel->setMinimumWidth(260);
    status->addPermanentWidget(sbrPanel);
    layout->addWidget(status);
    layout->setContentsMargins(9, 9, 9, 0);
    pbAlg->setTextVisible(false);
    pbParse->setTextVisible(false);
    btnOk->setEnabled(false);
    btnStop->setObjectName(QStringLiteral("btnStoppen"));
    messageList->setObjectName(QStringLiteral("ListBox1"));
    btnStop->setEnabled(false);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnStop, &QPushButton::clicked, this, [this] {
        btnStop->setEnabled(false);
        worker_->requestStop();
    });
    setFixedSize(520, 380);
    worker_ = std::make_unique<ImportWorker>(connection.connectionString(), catalogue, prompts, *this, this,
                                             databaseVersion, importDir);
    connect(worker_.get(), &ImportWorker::finished, this, &ImportDialog::workerFinished);
    overviewHook = [this](std::vector<StatementSummary>& s) {
        return ostrapel::showOverview(prompts_, s, this);
    };
}

ImportDialog::~ImportDialog() {
    worker_.reset(); // stops a run still going: nothing of it may outlive the dialog
    while (busy_ > 0)
        setBusy(false);
}

void ImportDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, &ImportDialog::activate);
}

void ImportDialog::activate() {
    if (run().done()) {
        reject();
        return;
    }
    btnStop->setEnabled(true);
    // the overview is shown here, on the GUI thread, while the run waits
    worker_->start([this](std::vector<StatementSummary>& s) { return overviewHook(s); });
}

void ImportDialog::workerFinished() {
    btnStop->setEnabled(false);
    while (busy_ > 0)
        setBusy(false);
    // The heading says how the run ended; the list says what became of each file.
    if (!worker_->errorText().isEmpty()) {
        setWindowTitle(ImportTexts::FailedCaption);
        prompts_.error(worker_->errorText());
    } else if (run().stopped()) {
        setWindowTitle(ImportTexts::StoppedCaption);
    } else if (!run().overviewAccepted()) {
        reject();
    } else {
        setWindowTitle(ImportTexts::FinishedCaption);
        setGeneralStatus(ImportTexts::FinishedCaption);
    }
    finished_ = true;
    emit importEnded();
}

void ImportDialog::reject() {
    if (worker_->isRunning()) return;
    QDialog::reject();
}

void ImportDialog::setCaption(const QString& text) {
    setWindowTitle(text);
}

int ImportDialog::addListEntry(const QString& text) {
    messageList->addItem(text);
    messageList->setCurrentRow(messageList->count() - 1);
    messageList->repaint();
    return messageList->count() - 1;
}

void ImportDialog::replaceListEntry(int index, const QString& text) {
    if (QListWidgetItem* item = messageList->item(index)) item->setText(text);
    messageList->repaint();
}

void ImportDialog::clearList() {
    messageList->clear();
}

void ImportDialog::setGeneralStatus(const QString& text) {
    lblStatusAlg->setText(text);
    lblStatusAlg->repaint();
}

void ImportDialog::setStatus(const QString& text) {
    lblStatus->setText(text);
    lblStatus->repaint();
}

void ImportDialog::setFileProgress(int position, int maximum) {
    pbAlg->setMaximum(std::max(maximum, 1));
    pbAlg->setValue(std::min(position, pbAlg->maximum()));
    pbAlg->repaint();
}

void ImportDialog::setLineProgress(int position, int maximum) {
    pbParse->setMaximum(std::max(maximum, 1));
    pbParse->setValue(std::min(position, pbParse->maximum()));
    pbParse->repaint();
}

void ImportDialog::setCounterPanel(const QString& text) {
    sbrPanel->setText(text);
    sbrPanel->repaint();
}

void ImportDialog::setOkEnabled(bool enabled) {
    btnOk->setEnabled(enabled);
}

void ImportDialog::setBusy(bool busy) {
    if (busy) {
        // busy, not blocked: "Stoppen" stays usable
        QApplication::setOverrideCursor(Qt::BusyCursor);
        ++busy_;
    } else if (busy_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_;
    }
}

void ImportDialog::processEvents() {
    QCoreApplication::processEvents();
}

} // namespace ostrapel
