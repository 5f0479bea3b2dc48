#include "FilterChooserDialog.h"

#include "core/DataSetModel.h"
#include "core/OstrapelError.h"
#include "core/Prompts.h"
#include "filters/FilterTexts.h"
#include "widgets/DialogButtons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace ostrapel {

FilterChooserDialog::FilterChooserDialog(FilterStore& store, Prompts& prompts, QWidget* parent)
    : QDialog(parent), grid(new QTableView(this)), chooser_(store, prompts), model_(new DataSetModel(this)),
      prompts_(prompts) {
    setObjectName(QStringLiteral("dlgKiesFilter"));
    setWindowTitle(FilterTexts::ChooserCaption);
    grid->setObjectName(QStringLiteral("grdFilters"));
    grid->setModel(model_);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();

    auto* layout = new QVBoxLayout(this);
    auto* nav = new QHBoxLayout;
    nav->setSpacing(0);
    const auto button = [&](const char* name, QStyle::StandardPixmap icon, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        nav->addWidget(b);
        return b;
    };
    btnFirst = button("btnFirst", QStyle::SP_MediaSkipBackward, QStringLiteral("Eerste"));
    btnPrior = button("btnPrior", QStyle::SP_MediaSeekBackward, QStringLiteral("Vorige"));
    btnNext = button("btnNext", QStyle::SP_MediaSeekForward, QStringLiteral("Volgende"));
    btnLast = button("btnLast", QStyle::SP_MediaSkipForward, QStringLiteral("Laatste"));
    btnDelete = button("btnDelete", QStyle::SP_DialogDiscardButton, QStringLiteral("Verwijderen"));
    nav->addStretch(1);
    layout->addLayout(nav);
    layout->addWidget(grid, 1);
    QDialogButtonBox* buttons = okCancelButtons(this);
    btnOk_ = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(grid, &QTableView::doubleClicked, this, [this] {
        if (chooser_.currentId()) accept();
    });

    const auto step = [this](auto move) {
        return [this, move] {
            move(chooser_.rows());
            showCurrent();
        };
    };
    connect(btnFirst, &QToolButton::clicked, this, step([](DataSet& d) { d.first(); }));
    connect(btnPrior, &QToolButton::clicked, this, step([](DataSet& d) { d.prior(); }));
    connect(btnNext, &QToolButton::clicked, this, step([](DataSet& d) { d.next(); }));
    connect(btnLast, &QToolButton::clicked, this, step([](DataSet& d) { d.last(); }));
    connect(btnDelete, &QToolButton::clicked, this, [this] {
        try {
            if (chooser_.deleteCurrent()) reload();
        } catch (const std::exception& e) {
            prompts_.error(errorMessage(e));
        }
    });
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) chooser_.rows().setRecNo(current.row());
            });
    reload();
    resize(420, 300);
}

void FilterChooserDialog::reload() {
    DataSet& rows = chooser_.rows();
    const std::pair<const char*, QString> titles[] = {{"FilterId", FilterTexts::ColumnFilterId},
                                                      {"FilterNaam", FilterTexts::ColumnFilterName},
                                                      {"GemaaktDoor", FilterTexts::ColumnMadeBy}};
    QVector<int> columns;
    for (const auto& [field, title] : titles) {
        if (DataField* f = rows.findField(QString::fromLatin1(field))) {
            f->displayLabel = title;
            columns << rows.fieldIndex(f->name);
        }
    }
    model_->setDataSet(&rows);
    model_->setColumns(columns);
    grid->resizeColumnsToContents();
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    showCurrent();
}

void FilterChooserDialog::showCurrent() {
    const int row = chooser_.rows().recNo();
    if (row >= 0) grid->selectRow(row);
    btnOk_->setEnabled(row >= 0); // nothing to choose in an empty list
}

} // namespace ostrapel
