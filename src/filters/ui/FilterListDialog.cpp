#include "FilterListDialog.h"

#include "FilterChooserDialog.h"
#include "FilterCriterionDialog.h"
#include "FilterNameDialog.h"

#include "core/OstrapelError.h"
#include "core/Prompts.h"
#include "filters/FilterTexts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace ostrapel {

FilterListDialog::FilterListDialog(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                                   QWidget* parent)
    : QDialog(parent), grdCriteria(new QTableWidget(0, 3, this)), connection_(connection),
      catalogue_(catalogue), prompts_(prompts), model_(connection, prompts) {
    setObjectName(QStringLiteral("dlgFilterLijst"));
    setWindowTitle(FilterTexts::ListCaption);

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto command = [&](const char* name, const QString& caption, void (FilterModel::*slot)()) {
        QAction* a = toolbar->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(QKeySequence::mnemonic(caption)); // a tool bar shows no underlined letters
        connect(a, &QAction::triggered, this, [this, slot] { run([this, slot] { (model_.*slot)(); }); });
        return a;
    };
    actNieuw = command("actNieuw", FilterTexts::New, &FilterModel::newFilter);
    actToevoegen = command("actToevoegen", FilterTexts::Add, &FilterModel::add);
    actBewerken = command("actBewerken", FilterTexts::Edit, &FilterModel::edit);
    actVerwijderen = command("actVerwijderen", FilterTexts::Remove, &FilterModel::remove);
    toolbar->addSeparator();
    actOpenen = command("actOpenen", FilterTexts::Open, &FilterModel::open);
    actBewaren = toolbar->addAction(FilterTexts::Save);
    actBewaren->setObjectName(QStringLiteral("actBewaren"));
    actBewaren->setShortcut(QKeySequence::mnemonic(FilterTexts::Save));
    connect(actBewaren, &QAction::triggered, this, [this] { run([this] { model_.save(); }); });

    grdCriteria->setObjectName(QStringLiteral("grdCriteria"));
    grdCriteria->setHorizontalHeaderLabels(
        {FilterTexts::ColumnField, FilterTexts::ColumnOperator, FilterTexts::ColumnValue});
    grdCriteria->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdCriteria->setSelectionMode(QAbstractItemView::SingleSelection);
    grdCriteria->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdCriteria->verticalHeader()->hide();
    grdCriteria->horizontalHeader()->setStretchLastSection(true);
    grdCriteria->setColumnWidth(0, 150);
    grdCriteria->setColumnWidth(1, 90);
    connect(grdCriteria, &QTableWidget::currentCellChanged, this,
            [this](int row) { model_.setCurrentRow(row); });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(toolbar);
    layout->addWidget(grdCriteria, 1);
    auto* bar = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    btnToepassen = button("btnToepassen", FilterTexts::Apply);
    btnOpheffen = button("btnOpheffen", FilterTexts::Lift);
    bar->addStretch(1);
    btnSluiten = button("btnSluiten", FilterTexts::Close);
    layout->addLayout(bar);
    connect(btnToepassen, &QPushButton::clicked, this, [this] {
        if (run([this] { model_.apply(); })) accept();
    });
    connect(btnOpheffen, &QPushButton::clicked, this, [this] {
        if (run([this] { model_.lift(); })) reject();
    });
    connect(btnSluiten, &QPushButton::clicked, this, &QDialog::reject);

    model_.askCriterion = [this](const std::optional<FilterCriterion>& current) {
        FilterCriterionDialog dialog(connection_, catalogue_, prompts_, this);
        if (current) dialog.preset(*current);
        return dialog.exec() == QDialog::Accepted ? dialog.criterion() : std::nullopt;
    };
    model_.chooseFilter = [this](FilterStore& store) -> std::optional<int> {
        FilterChooserDialog dialog(store, prompts_, this);
        return dialog.exec() == QDialog::Accepted ? dialog.chosenId() : std::nullopt;
    };
    model_.askName = [this]() -> std::optional<FilterModel::Name> {
        FilterNameDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return FilterModel::Name{dialog.name(), dialog.madeBy()};
    };
    setWindowClause(model_.windowClause());
    refresh();
    resize(460, 320);
}

void FilterListDialog::setCriteria(std::vector<FilterCriterion> criteria) {
    model_.setCriteria(std::move(criteria));
    refresh();
}

void FilterListDialog::setWindowClause(const QString& clause) {
    model_.setWindowClause(clause);
    btnOpheffen->setEnabled(model_.canLift());
}

bool FilterListDialog::run(const std::function<void()>& command) {
    bool done = true;
    try {
        command();
    } catch (const std::exception& e) {
        prompts_.error(errorMessage(e));
        done = false;
    }
    refresh();
    return done;
}

void FilterListDialog::refresh() {
    const std::vector<FilterCriterion>& rows = model_.criteria();
    grdCriteria->blockSignals(true);
    grdCriteria->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const FilterCriterion& c = rows[size_t(i)];
        const QString cells[] = {c.VeldDisplay, c.OperatorDisplay, c.WaardeDisplay};
        for (int col = 0; col < 3; ++col)
            grdCriteria->setItem(i, col, new QTableWidgetItem(cells[col]));
    }
    if (model_.currentRow() >= 0) grdCriteria->selectRow(model_.currentRow());
    grdCriteria->blockSignals(false);
    actNieuw->setEnabled(model_.hasCriteria());
    actBewerken->setEnabled(model_.hasCriteria());
    actVerwijderen->setEnabled(model_.hasCriteria());
    actBewaren->setEnabled(model_.canSave());
}

} // namespace ostrapel
