#include "UpdateScriptsDialog.h"

#include "maintenance/MaintenanceTexts.h"
#include "widgets/BusyCursor.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ostrapel {

using namespace MaintenanceTexts;

UpdateScriptsDialog::UpdateScriptsDialog(Connection& connection, const QString& folder,
                                         const QStringList& names, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      runner_(connection, folder), names_(names), prompts_(prompts), clbScriptLines(new QListWidget(this)),
      btnAfsluiten(new QPushButton(Afsluiten, this)) {
    setObjectName(QStringLiteral("dlgScripter"));
    setWindowTitle(ScripterCaption);
    setFixedSize(503, 342);
    clbScriptLines->setObjectName(QStringLiteral("clbScriptLines"));
    clbScriptLines->setEnabled(false);
    btnAfsluiten->setObjectName(QStringLiteral("btnAfsluiten"));
    btnAfsluiten->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(clbScriptLines);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnAfsluiten);
    layout->addLayout(bottom);
    connect(btnAfsluiten, &QPushButton::clicked, this,
            [this] { done(succeeded_ ? QDialog::Accepted : QDialog::Rejected); });

    runner_.linesAdded = [this](const QStringList& lines) {
        for (const QString& line : lines) {
            auto* item = new QListWidgetItem(line, clbScriptLines);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(Qt::Unchecked);
        }
    };
    runner_.lineExecuted = [this](int row) {
        if (QListWidgetItem* item = clbScriptLines->item(row)) {
            item->setCheckState(Qt::Checked);
            clbScriptLines->setCurrentItem(item);
            clbScriptLines->scrollToItem(item);
        }
        clbScriptLines->repaint();
    };
}

void UpdateScriptsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!started_) QTimer::singleShot(0, this, &UpdateScriptsDialog::runScripts);
}

void UpdateScriptsDialog::runScripts() {
    if (started_) return;
    started_ = true;
    {
        BusyCursor busy;
        runner_.run(names_);
    }
    succeeded_ = runner_.finish(prompts_);
    finished_ = true;
    btnAfsluiten->show();
    btnAfsluiten->setDefault(true);
}

void UpdateScriptsDialog::reject() {
    if (finished_) done(succeeded_ ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace ostrapel
