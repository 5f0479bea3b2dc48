#include "CollectivityDetailsDialog.h"

#include "DetailPane.h"
#include "PremiumTrendPage.h"

#include "collectivity/CollectivityDetails.h"
#include "core/DataSetModel.h"

#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace ostrapel {

CollectivityDetailsDialog::CollectivityDetailsDialog(CollectivityDetails& details,
                                                     const RecordCatalogue& catalogue, InsuranceType type,
                                                     Prompts& prompts, const QString& saveFolder,
                                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      pages_(new QTabWidget(this)), inspector_(new DetailPane(catalogue)), history_(new QTableView),
      historyModel_(new DataSetModel(this)),
      trend_(new PremiumTrendPage(
          details.premiumTrend(type), prompts,
          QDir(saveFolder).filePath(QStringLiteral("Premieverloop %1.png").arg(details.keyText())))) {
    setWindowTitle(QStringLiteral("Collectiviteit"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    auto* gegevens = new QWidget;
    auto* gl = new QVBoxLayout(gegevens);
    gl->setContentsMargins(0, 0, 0, 0);
    gl->addWidget(inspector_);
    inspector_->setColumnWidth(0, 164);
    inspector_->setColumnWidth(1, 423);
    inspector_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    inspector_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    inspector_->setDataSet(&details.collectivity());
    inspector_->rebuildRows();
    inspector_->fillValues();
    pages_->addTab(gegevens, QStringLiteral("&Gegevens"));

    historyModel_->setDataSet(&details.history());
    history_->setModel(historyModel_);
    history_->setSelectionBehavior(QAbstractItemView::SelectRows);
    history_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    history_->verticalHeader()->hide();
    history_->verticalHeader()->setDefaultSectionSize(history_->fontMetrics().height() + 4);
    history_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QString titles[] = {QStringLiteral("Periode"),         QStringLiteral("Aanmaak datum"),
                              QStringLiteral("# Records"),       QStringLiteral("# Personen"),
                              QStringLiteral("Totaal bedrag"),   QStringLiteral("Tot. inc. coll."),
                              QStringLiteral("Tot. inc. verz."), QStringLiteral("Tel. nr. helpdesk")};
    DataSet& h = details.history();
    QVector<int> columns;
    for (int i = 0; i < h.fieldCount() && i < 8; ++i) {
        h.field(i).displayLabel = titles[i];
        h.field(i).visible = true;
        columns << i;
    }
    historyModel_->setColumns(columns);
    // Every title and value whole, in the desktop's font.
    history_->resizeColumnsToContents();
    int tableWidth = 2 * history_->frameWidth() + history_->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < columns.size(); ++i)
        tableWidth += history_->columnWidth(i);
    pages_->addTab(history_, QStringLiteral("&Import geschiedenis"));
    pages_->addTab(trend_, QStringLiteral("&Premieverloop"));
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        (page == 0   ? static_cast<QWidget*>(inspector_)
         : page == 1 ? static_cast<QWidget*>(history_)
                     : trend_)
            ->setFocus();
    });

    auto* close = new QPushButton(QStringLiteral("&Sluiten"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject); // both the default and the cancel button
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
    const QMargins m = layout->contentsMargins();
    setFixedSize(std::max(599, tableWidth + m.left() + m.right() + 8), 351);
}

void CollectivityDetailsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    pages_->setCurrentIndex(0);
    inspector_->setFocus();
}

} // namespace ostrapel
