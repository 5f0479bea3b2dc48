#include "TdlgImport.h"

#include "TdlgImportOverzicht.h"

#include "core/OstrapelError.h"
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

TdlgImport::TdlgImport(Connection& connection, const TmyMemLists& catalogue, Prompts& prompts,
                       int databaseVersion, const QString& importDir, QWidget* parent)
    : QDialog(parent), prompts_(prompts), lblStatusAlg(new QLabel(this)), pbAlg(new QProgressBar(this)),
      lblStatus(new QLabel(this)), pbParse(new QProgressBar(this)), ListBox1(new QListWidget(this)),
      sbrPanel(new QLabel(this)), btnOk(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(ImportTexts::Caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblStatusAlg);
    layout->addWidget(pbAlg);
    layout->addWidget(lblStatus);
    layout->addWidget(pbParse);
    layout->addWidget(ListBox1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
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
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(520, 380);
    run_ = std::make_unique<ImportRun>(connection, catalogue, prompts, *this, databaseVersion, importDir);
    showOverview = [this](std::vector<TmyImportStruct>& s) { return ShowOverview(prompts_, s, this); };
}

TdlgImport::~TdlgImport() {
    while (busy_ > 0)
        setBusy(false);
}

void TdlgImport::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, &TdlgImport::activate);
}

void TdlgImport::activate() {
    if (run_->done()) {
        reject();
        return;
    }
    try {
        run_->Execute(showOverview);
        if (!run_->overviewAccepted()) reject();
    } catch (const std::exception& e) {
        prompts_.error(ErrorMessage(e));
    }
    while (busy_ > 0)
        setBusy(false);
}

void TdlgImport::setCaption(const QString& text) {
    setWindowTitle(text);
}

int TdlgImport::addListEntry(const QString& text) {
    ListBox1->addItem(text);
    ListBox1->setCurrentRow(ListBox1->count() - 1);
    ListBox1->repaint();
    return ListBox1->count() - 1;
}

void TdlgImport::replaceListEntry(int index, const QString& text) {
    if (QListWidgetItem* item = ListBox1->item(index)) item->setText(text);
    ListBox1->repaint();
}

void TdlgImport::clearList() {
    ListBox1->clear();
}

void TdlgImport::setGeneralStatus(const QString& text) {
    lblStatusAlg->setText(text);
    lblStatusAlg->repaint();
}

void TdlgImport::setStatus(const QString& text) {
    lblStatus->setText(text);
    lblStatus->repaint();
}

void TdlgImport::setFileProgress(int position, int maximum) {
    pbAlg->setMaximum(std::max(maximum, 1));
    pbAlg->setValue(std::min(position, pbAlg->maximum()));
    pbAlg->repaint();
}

void TdlgImport::setLineProgress(int position, int maximum) {
    pbParse->setMaximum(std::max(maximum, 1));
    pbParse->setValue(std::min(position, pbParse->maximum()));
    pbParse->repaint();
}

void TdlgImport::setCounterPanel(const QString& text) {
    sbrPanel->setText(text);
    sbrPanel->repaint();
}

void TdlgImport::setOkEnabled(bool enabled) {
    btnOk->setEnabled(enabled);
}

void TdlgImport::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busy_;
    } else if (busy_ > 0) {
        QApplication::restoreOverrideCursor();
        --busy_;
    }
}

void TdlgImport::processEvents() {
    QCoreApplication::processEvents();
}

} // namespace ostrapel
