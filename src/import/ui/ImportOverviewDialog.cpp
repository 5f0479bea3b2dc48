#include "ImportOverviewDialog.h"

#include "widgets/DialogButtons.h"

#include "core/DisplayFormat.h"
#include "core/Prompts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace ostrapel {

namespace {

QString amount(double v) {
    return programLocale().toString(v, 'f', 2);
}

// The control totals are not checked, but a total that differs is shown.
bool amountsDiffer(double stated, double computed) {
    return std::llround(stated * 100) != std::llround(computed * 100);
}

QLabel* valueLabel(const QString& text, bool bold, bool differs, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(bold);
    l->setFont(f);
    if (differs) l->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

ImportOverviewDialog::ImportOverviewDialog(Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), btnAlles_(new QPushButton(OverviewTexts::SelectAll, this)),
      panels_(nullptr), scroll_(new QScrollArea(this)) {
    setWindowTitle(OverviewTexts::Caption);
    auto* layout = new QVBoxLayout(this);
    // wide enough for either caption of the toggle
    btnAlles_->setMinimumWidth(
        btnAlles_->fontMetrics().horizontalAdvance(QStringLiteral("Alles deselecteren")) + 32);
    auto* top = new QHBoxLayout;
    top->addWidget(btnAlles_);
    top->addStretch();
    layout->addLayout(top);
    auto* inner = new QWidget;
    panels_ = new QVBoxLayout(inner);
    panels_->setSpacing(6);
    scroll_->setWidget(inner);
    scroll_->setWidgetResizable(true);
    layout->addWidget(scroll_, 1);
    auto* buttons = okCancelButtons(this);
    layout->addWidget(buttons);
    connect(btnAlles_, &QPushButton::clicked, this, [this] {
        if (!overview_) return;
        overview_->toggleSelectAll();
        syncBoxes();
        btnAlles_->setText(overview_->selectAllCaption());
        scroll_->verticalScrollBar()->setValue(0); // back to the first row
    });
}

void ImportOverviewDialog::fillFromSummaries(std::vector<StatementSummary>& summaries) {
    overview_ = std::make_unique<ImportOverview>(summaries);
    for (int row = 0; row < overview_->rowCount(); ++row)
        panels_->addWidget(buildPanel(row));
    panels_->addStretch();
    // four panels visible at a time
    QSize panelHint(700, 150);
    for (int i = 0; i < panels_->count(); ++i)
        if (QWidget* panel = panels_->itemAt(i)->widget())
            panelHint = i == 0 ? panel->sizeHint() : panelHint.expandedTo(panel->sizeHint());
    scroll_->setMinimumHeight(std::min(overview_->rowCount(), 4) * (panelHint.height() + 6) + 8);
    // wide enough that no panel needs the horizontal scroll bar
    const QMargins margins = layout()->contentsMargins();
    const int scrollWidth = panelHint.width() + scroll_->verticalScrollBar()->sizeHint().width() +
                            2 * scroll_->frameWidth() + panels_->contentsMargins().left() +
                            panels_->contentsMargins().right();
    resize(std::max(760, scrollWidth + margins.left() + margins.right()), sizeHint().height());
}

QWidget* ImportOverviewDialog::buildPanel(int row) {
    const StatementSummary& s = overview_->summary(row);
    const int flags = errorFlags(s);
    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(panel);
    g->setHorizontalSpacing(12);
    g->setVerticalSpacing(2);
    auto add = [&](int r, int c, const QString& caption, const QString& value, bool bold = false,
                   bool differs = false) {
        g->addWidget(new QLabel(caption, panel), r, c);
        g->addWidget(valueLabel(value, bold, differs, panel), r, c + 1);
    };
    add(0, 0, QStringLiteral("Coll. nr."), s.collectivityNumber, true);
    add(0, 2, QStringLiteral("Coll. volgnr."), s.sequenceNumber, true);
    add(0, 4, QStringLiteral("Periode"), s.period, true);
    // a long name takes the free cells beside it rather than widening the column
    g->addWidget(new QLabel(QStringLiteral("Naam"), panel), 1, 0);
    g->addWidget(valueLabel(s.collectivityName, true, false, panel), 1, 1, 1, 3);
    add(1, 4, QStringLiteral("Aangemaakt op"), formatDate(s.createdOn, kDateFormat), true);
    add(2, 0, QStringLiteral("# records"), QString::number(s.statedRecords));
    add(3, 0, QStringLiteral("# personen"), QString::number(s.statedPersons));
    add(4, 0, QStringLiteral("Totaal bedrag"), amount(s.statedTotal));
    add(5, 0, QStringLiteral("Totaal bedrag inc. bij coll."), amount(s.statedTotalCollectivity));
    add(6, 0, QStringLiteral("Totaal bedrag inc. bij verz."), amount(s.statedTotalInsured));
    // the figures are the last block's; an earlier block's mismatch is told below
    add(2, 2, QStringLiteral("Geteld # records"), QString::number(s.countedRecords), false,
        s.countedRecords != s.statedRecords);
    add(3, 2, QStringLiteral("Geteld # personen"), QString::number(s.countedPersons), false,
        s.countedPersons != s.statedPersons);
    add(4, 2, QStringLiteral("Berekend bedrag"), amount(s.countedTotal), false,
        amountsDiffer(s.statedTotal, s.countedTotal));
    add(5, 2, QStringLiteral("Berekend bedrag inc. bij coll."), amount(s.countedTotalCollectivity), false,
        amountsDiffer(s.statedTotalCollectivity, s.countedTotalCollectivity));
    add(6, 2, QStringLiteral("Berekend bedrag inc. bij verz."), amount(s.countedTotalInsured), false,
        amountsDiffer(s.statedTotalInsured, s.countedTotalInsured));
    add(2, 4, QStringLiteral("Bestandsversie"), QString::number(s.fileVersion), false, flags & ErrVersion);
    add(3, 4, QStringLiteral("Applicatieversie"), QString::number(StatementFileVersion));
    if (flags & ErrNoCollectivity)
        g->addWidget(
            valueLabel(QStringLiteral("Geen collectiviteitsrecord in ") + s.fileName, true, true, panel), 4,
            4, 1, 2);
    else if (flags & ErrFault)
        g->addWidget(valueLabel(s.fault, true, true, panel), 4, 4, 1, 2);
    if (s.earlierBlockFlags != 0)
        g->addWidget(valueLabel(QStringLiteral("Blok van regel %1 t/m %2: %3")
                                    .arg(s.earlierBlockFrom)
                                    .arg(s.earlierBlockTo)
                                    .arg(errorReasons(s.earlierBlockFlags)),
                                true, true, panel),
                     5, 4, 1, 2);
    auto* box = new QCheckBox(QStringLiteral("Importeren"), panel);
    box->setChecked(overview_->isTicked(row));
    box->setEnabled(isImportable(s));
    connect(box, &QCheckBox::toggled, this, [this, row](bool on) { overview_->setTicked(row, on); });
    g->addWidget(box, 6, 4, 1, 2);
    g->setColumnStretch(5, 1);
    boxes_.push_back(box);
    return panel;
}

void ImportOverviewDialog::syncBoxes() {
    for (size_t i = 0; i < boxes_.size(); ++i) {
        QSignalBlocker block(boxes_[i]);
        boxes_[i]->setChecked(overview_->isTicked(int(i)));
    }
}

void ImportOverviewDialog::accept() {
    if (!overview_ || !overview_->acceptClose(prompts_)) {
        scroll_->verticalScrollBar()->setValue(0);
        return;
    }
    QDialog::accept();
}

bool showOverview(Prompts& prompts, std::vector<StatementSummary>& summaries, QWidget* parent) {
    ImportOverviewDialog dialog(prompts, parent);
    dialog.fillFromSummaries(summaries);
    return dialog.exec() == QDialog::Accepted && dialog.goodCount() > 0;
}

} // namespace ostrapel
