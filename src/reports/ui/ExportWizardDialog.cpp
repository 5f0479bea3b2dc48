#include "ExportWizardDialog.h"

#include "reports/ReportTexts.h"

#include "core/Prompts.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace ostrapel {

ExportWizardDialog::ExportWizardDialog(const RecordCatalogue& catalogue, Settings& settings, Prompts& prompts,
                                       QWidget* parent)
    : QDialog(parent), settings_(settings),
      prompts_(prompts), choices_{
                             ExportFieldChoice(catalogue, QStringLiteral("10"), settings.exportFields10()),
                             ExportFieldChoice(catalogue, QStringLiteral("50"), settings.exportFields50())} {
    setObjectName(QStringLiteral("frmExcelExportWizard"));
    setWindowTitle(QStringLiteral("Excel export wizard"));
    pcExcelExport = new QStackedWidget(this);
    pcExcelExport->setObjectName(QStringLiteral("pcExcelExport"));
    pcExcelExport->addWidget(
        fieldPage(QStringLiteral(" &Verzekerdegegevens"), clb10ExportFields, btn10Up, btn10Down, 0));
    pcExcelExport->addWidget(
        fieldPage(QStringLiteral(" &Premiecomponentgegevens"), clb50ExportFields, btn50Up, btn50Down, 1));
    auto* extra = new QWidget;
    extra->setObjectName(QStringLiteral("tsExtra"));
    auto* extraLayout = new QVBoxLayout(extra);
    extraLayout->addWidget(new QLabel(QStringLiteral(" Extra")));
    dbSamenstellingOpslaan = new QCheckBox(QStringLiteral("&Veldsamenstelling opslaan"));
    dbSamenstellingOpslaan->setObjectName(QStringLiteral("dbSamenstellingOpslaan"));
    extraLayout->addWidget(dbSamenstellingOpslaan);
    extraLayout->addStretch(1);
    pcExcelExport->addWidget(extra);

    const auto button = [this](const char* name, QStyle::StandardPixmap icon, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        b->setAutoRaise(true);
        b->setIconSize(QSize(24, 24));
        return b;
    };
    sbPrev = button("sbPrev", QStyle::SP_ArrowBack, QStringLiteral("Vorige"));
    sbNext = button("sbNext", QStyle::SP_ArrowForward, QStringLiteral("Volgende"));
    sbCancel = button("sbCancel", QStyle::SP_DialogCancelButton, QStringLiteral("Annuleren"));
    sbFinish = button("sbFinish", QStyle::SP_DialogApplyButton, QStringLiteral("Voltooien"));
    connect(sbPrev, &QToolButton::clicked, this, [this] { showPage(pcExcelExport->currentIndex() - 1); });
    connect(sbNext, &QToolButton::clicked, this, [this] { showPage(pcExcelExport->currentIndex() + 1); });
    connect(sbCancel, &QToolButton::clicked, this, &QDialog::reject);
    connect(sbFinish, &QToolButton::clicked, this, &QDialog::accept);

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    for (QToolButton* b : {sbPrev, sbNext, sbCancel, sbFinish})
        bar->addWidget(b);
    stbHint = new QStatusBar(this);
    stbHint->setObjectName(QStringLiteral("stbHint"));
    stbHint->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcExcelExport, 1);
    layout->addLayout(bar);
    layout->addWidget(stbHint);
    fill(0);
    fill(1);
    showPage(0);
    resize(360, 420);
}

QWidget* ExportWizardDialog::fieldPage(const QString& heading, QListWidget*& list, QToolButton*& up,
                                       QToolButton*& down, int side) {
    auto* page = new QWidget;
    page->setObjectName(side == 0 ? QStringLiteral("tsVerzekerde") : QStringLiteral("tsComponent"));
    list = new QListWidget(page);
    list->setObjectName(side == 0 ? QStringLiteral("clb10ExportFields")
                                  : QStringLiteral("clb50ExportFields"));
    list->setMouseTracking(true);
    down = new QToolButton(page);
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    up = new QToolButton(page);
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    connect(up, &QToolButton::clicked, this, [this, side] { move(side, true); });
    connect(down, &QToolButton::clicked, this, [this, side] { move(side, false); });
    connect(list, &QListWidget::currentRowChanged, this, [this, side](int row) {
        if (row >= 0) choices_[side].current = row;
        updateButtons();
    });
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(heading);
    label->setBuddy(list);
    top->addWidget(label, 1);
    top->addWidget(down);
    top->addWidget(up);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(list, 1);
    return page;
}

bool ExportWizardDialog::event(QEvent* event) {
    // A dialog has no status bar of its own: the long hints of its items stop here.
    if (event->type() == QEvent::StatusTip) {
        stbHint->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void ExportWizardDialog::fill(int side) {
    QListWidget* list = side == 0 ? clb10ExportFields : clb50ExportFields;
    list->clear();
    for (const ExportFieldChoice::Item& i : choices_[side].items) {
        auto* item = new QListWidgetItem(i.caption, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i.checked ? Qt::Checked : Qt::Unchecked);
        // The field's description is the long hint, shown in the status line
        // while the mouse rests on the item.
        const QString hint = QStringLiteral("Exportvelden|") + i.description;
        item->setToolTip(shortHint(hint));
        item->setStatusTip(longHint(hint));
    }
    list->setCurrentRow(choices_[side].items.empty() ? -1 : choices_[side].current);
}

void ExportWizardDialog::readBack(int side) {
    QListWidget* list = side == 0 ? clb10ExportFields : clb50ExportFields;
    for (int r = 0; r < list->count(); ++r)
        choices_[side].items[size_t(r)].checked = list->item(r)->checkState() == Qt::Checked;
}

void ExportWizardDialog::move(int side, bool up) {
    readBack(side);
    up ? choices_[side].moveUp() : choices_[side].moveDown();
    fill(side);
    (side == 0 ? clb10ExportFields : clb50ExportFields)->setFocus();
}

void ExportWizardDialog::updateButtons() {
    const int page = pcExcelExport->currentIndex();
    sbPrev->setEnabled(page > 0);
    sbNext->setEnabled(page < pcExcelExport->count() - 1);
    sbFinish->setEnabled(page == pcExcelExport->count() - 1);
    btn10Up->setEnabled(choices_[0].canMoveUp());
    btn10Down->setEnabled(choices_[0].canMoveDown());
    btn50Up->setEnabled(choices_[1].canMoveUp());
    btn50Down->setEnabled(choices_[1].canMoveDown());
}

void ExportWizardDialog::showPage(int page) {
    if (page < 0 || page >= pcExcelExport->count()) return;
    pcExcelExport->setCurrentIndex(page);
    updateButtons();
}

void ExportWizardDialog::done(int result) {
    if (result == QDialog::Accepted) {
        readBack(0);
        readBack(1);
        personFields_ = choices_[0].result();
        componentFields_ = choices_[1].result();
        if (dbSamenstellingOpslaan->isChecked()) {
            settings_.setExportFields10(personFields_);
            settings_.setExportFields50(componentFields_);
        }
    } else if (!prompts_.askYesNo(MsgType::Confirmation, ReportTexts::ExportAfbreken)) {
        return; // the wizard stays open
    }
    QDialog::done(result);
}

} // namespace ostrapel
