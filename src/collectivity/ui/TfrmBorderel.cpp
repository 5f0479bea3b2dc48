#include "TfrmBorderel.h"

#include "BorderelGrid.h"
#include "FooterBar.h"
#include "MarkerImages.h"
#include "TDataInspector.h"
#include "TdlgCollDetail.h"
#include "TdlgGridVelden.h"
#include "TdlgKiesAantalMaanden.h"
#include "TdlgPickList.h"

#include "collectivity/CollDetails.h"
#include "collectivity/CollectivityTexts.h"
#include "collectivity/InvoiceMonths.h"
#include "collectivity/PeriodChoice.h"
#include "core/Connection.h"
#include "core/Prompts.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace ostrapel {

using namespace CollectivityTexts;
namespace Keys = WindowSettingKeys;

namespace {

// Hourglass for the length of a scope, also when a query fails.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TfrmBorderel::TfrmBorderel(Connection& connection, const TmyMemLists& catalogue, Prompts& prompts,
                           TStaticSettings& settings, QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), prompts_(prompts), settings_(settings),
      state_(connection, catalogue) {
    tmrDisableGrids.setSingleShot(true);
    tmrDisableGrids.setInterval(700);
    connect(&tmrDisableGrids, &QTimer::timeout, this, [this] {
        state_.setPaused(true);
        setPausedLook(true);
    });
    state_.setCompoundSurname(settings_.SamengesteldeAchternaam());
    buildActions();
    buildLayout();
    buildMenus();
    actToonSamengesteldeAchternaam->setChecked(state_.compoundSurname());
    ring_.isShowing = [this](int e) {
        switch (e) {
        case GridRing::PersonsDetail:
            return !pnl10Detail->isHidden();
        case GridRing::Persons:
            return true;
        case GridRing::ComponentsDetail:
            return state_.componentsShown() && !pnl50Detail->isHidden();
        default:
            return state_.componentsShown();
        }
    };
    askPeriod = [this](const QStringList& months, const QString& current) -> std::optional<QString> {
        TdlgKiesAantalMaanden dialog(months, current, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.result();
    };
    askFieldOrder = [this](const QString& order) -> std::optional<QString> {
        TdlgGridVelden dialog(catalogue_, order, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.result();
    };
    askSortColumn = [this](BorderelGrid* grid, const QString& currentSort) {
        std::vector<SortFieldPicker::Item> items;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (!grid->fieldOfColumn(c).isEmpty())
                items.push_back(
                    {grid->model()->headerData(c, Qt::Horizontal).toString(), grid->fieldOfColumn(c), c});
        TdlgPickList dialog(items, currentSort, this);
        if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return -1;
        return dialog.chosen()->column;
    };
    showCollDetails = [this](TDataModCollDetails& details) {
        TdlgCollDetail dialog(details, catalogue_, this);
        dialog.exec();
    };
    resize(795, 577);
}

TfrmBorderel::~TfrmBorderel() {
    // The child widgets outlive the data sets they show (they go with QWidget's
    // destructor): let go of the data first.
    dbg10->dataModel()->setDataSet(nullptr);
    dbg50->dataModel()->setDataSet(nullptr);
    DI10Detail->setDataSet(nullptr);
    DI50Detail->setDataSet(nullptr);
}

void TfrmBorderel::buildMonthMenus() {
    const QStringList months = InvoiceMonths(state_.connection(), collNr(), collVolgNr(), verzType());
    for (QMenu* m : {menuIncasso, menuCorrectie}) {
        m->clear();
        for (const QString& month : months)
            m->addAction(month)->setEnabled(false); // the reports arrive with their own work
    }
}

void TfrmBorderel::buildDropDownMenus() {
    QToolButton* buttons[3] = {tbtnHerkomst, tbtnSoort, tbtnComponent};
    for (int f = 0; f < 3; ++f) {
        const auto filter = ComponentsQuery::Filter(f);
        auto* menu = new QMenu(buttons[f]);
        auto* group = new QActionGroup(menu);
        const DropDownFilter& d = state_.dropDown(filter);
        for (int i = 0; i < d.entries().size(); ++i) {
            QAction* a = menu->addAction(d.entries()[i]);
            a->setCheckable(true);
            a->setChecked(i == d.checked());
            group->addAction(a);
            connect(a, &QAction::triggered, this, [this, filter, i] { ChooseDropDown(filter, i); });
        }
        buttons[f]->setMenu(menu);
        dropDownMenus_[f] = menu;
    }
}

void TfrmBorderel::SetIdentity(int collNr, int collVolgNr, int verzType) {
    state_.setIdentity(collNr, collVolgNr, verzType);
}

void TfrmBorderel::loadWindowState() {
    const QString section = WindowSection(windowKey());
    TStaticSettings& s = settings_;
    if (QWidget* frame = parentWidget()) {
        if (frame->width() < 795 || frame->height() < 577)
            frame->resize(795, 577); // the form's own size at first
        if (s.ReadBool(Keys::Maximized, frame->isMaximized(), section)) {
            frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
        } else {
            const QRect g = frame->geometry();
            frame->setGeometry(s.ReadInteger(Keys::Left, g.left(), section),
                               s.ReadInteger(Keys::Top, g.top(), section),
                               s.ReadInteger(Keys::Width, g.width(), section),
                               s.ReadInteger(Keys::Height, g.height(), section));
        }
    }
    // A detail pane is set by the opposite check and the action run once.
    actToonDI10Details->setChecked(
        !s.ReadBool(Keys::ToonTbl10Detail, actToonDI10Details->isChecked(), section));
    actToonDI10Details->trigger();
    actToonDI50Details->setChecked(
        !s.ReadBool(Keys::ToonTbl50Detail, actToonDI50Details->isChecked(), section));
    actToonDI50Details->trigger();
    state_.fieldOrder10 = s.ReadString(Keys::FieldOrder10, state_.fieldOrder10, section);
    state_.fieldOrder50 = s.ReadString(Keys::FieldOrder50, state_.fieldOrder50, section);
    state_.sortField10 = s.ReadString(Keys::IndexField10, state_.sortField10, section);
    if (state_.sortField10.isEmpty()) state_.sortField10 = QStringLiteral("1002");
    state_.sortField50 = s.ReadString(Keys::IndexField50, state_.sortField50, section);
    state_.setPeriodSetting(s.ReadString(Keys::PeriodKey(verzType()), state_.periodSetting(), section));

    // Initialisation.
    if (!details_)
        details_ =
            std::make_unique<TDataModCollDetails>(state_.connection(), catalogue_, collNr(), collVolgNr());
    state_.Initialise();
    initialised_ = true;
    lblPeriode->setText(state_.periodDescription());
    buildDropDownMenus();
    buildMonthMenus();
    refreshPersons();
    DI10Detail->setDataSet(&state_.persons());
    DI50Detail->setDataSet(&state_.components());
    DI10Detail->RebuildFillFit();
    DI50Detail->RebuildFillFit();
    ActivateGrid(GridRing::Persons);

    const QString comp[3] = {Keys::CompHerkomst, Keys::CompSoort, Keys::CompComponent};
    for (int f = 0; f < 3; ++f) {
        const auto filter = ComponentsQuery::Filter(f);
        state_.SetStoredDropDownText(filter,
                                     s.ReadString(comp[f], state_.dropDown(filter).checkedText(), section));
        const QList<QAction*> entries = dropDownMenus_[f]->actions();
        if (state_.dropDown(filter).checked() < entries.size())
            entries[state_.dropDown(filter).checked()]->setChecked(true);
    }
    setMode(s.ReadString(Keys::ComponentStaat, state_.componentsQuery().modeLetter(), section) ==
                    QStringLiteral("G")
                ? ComponentsQuery::Mode::Joint
                : ComponentsQuery::Mode::Individual);
    actToonComponenten->setChecked(!s.ReadBool(Keys::ToonComponenten, true, section));
    actToonComponenten->trigger();
}

void TfrmBorderel::saveWindowState() {
    if (!initialised_) return;
    const QString section = WindowSection(windowKey());
    TStaticSettings& s = settings_;
    if (QWidget* frame = parentWidget()) {
        const QRect g = frame->isMaximized() ? frame->normalGeometry() : frame->geometry();
        s.WriteBool(Keys::Maximized, frame->isMaximized(), section);
        s.WriteInteger(Keys::Width, g.width(), section);
        s.WriteInteger(Keys::Height, g.height(), section);
        s.WriteInteger(Keys::Top, g.top(), section);
        s.WriteInteger(Keys::Left, g.left(), section);
    }
    s.WriteBool(Keys::ToonTbl10Detail, actToonDI10Details->isChecked(), section);
    s.WriteBool(Keys::ToonTbl50Detail, actToonDI50Details->isChecked(), section);
    s.WriteString(Keys::FieldOrder10, state_.fieldOrder10, section);
    s.WriteString(Keys::FieldOrder50, state_.fieldOrder50, section);
    s.WriteString(Keys::IndexField10, state_.sortField10, section);
    s.WriteString(Keys::IndexField50, state_.sortField50, section);
    s.WriteBool(Keys::ToonComponenten, state_.componentsShown(), section);
    s.WriteString(Keys::PeriodKey(verzType()), state_.periodSetting(), section);
    s.WriteString(Keys::ComponentStaat, state_.componentsQuery().modeLetter(), section);
    const QString comp[3] = {Keys::CompHerkomst, Keys::CompSoort, Keys::CompComponent};
    for (int f = 0; f < 3; ++f)
        s.WriteString(comp[f], state_.dropDown(ComponentsQuery::Filter(f)).checkedText(), section);
    s.SetSamengesteldeAchternaam(state_.compoundSurname());
}

void TfrmBorderel::closeEvent(QCloseEvent* event) {
    if (!saved_) {
        saveWindowState();
        saved_ = true;
    }
    event->accept();
}

void TfrmBorderel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitDetails();
}

void TfrmBorderel::refreshPersons() {
    syncing_ = true;
    dbg10->setColumns(&state_.persons(), state_.personsColumns());
    dbg10->setSortField(state_.sortField10);
    dbg10->refresh();
    dbg10->showCurrentRow();
    syncing_ = false;
    const int sortColumn = dbg10->columnOfField(state_.sortField10);
    if (sortColumn >= 0 && !state_.persons().isEmpty())
        lblZoek->setText(dbg10->model()->headerData(sortColumn, Qt::Horizontal).toString());
    lblVerzekerden->setText(state_.verzekerdenLabel());
    if (DI10Detail->dataSet()) DI10Detail->FillValues();
    refreshComponents();
    refreshFooters();
}

void TfrmBorderel::refreshComponents() {
    if (!state_.componentsShown()) return;
    syncing_ = true;
    dbg50->setColumns(&state_.components(), state_.componentsColumns());
    dbg50->setSortField(state_.sortField50);
    dbg50->refresh();
    dbg50->showCurrentRow();
    syncing_ = false;
    if (DI50Detail->dataSet()) {
        if (DI50Detail->rowCount() == 0) DI50Detail->RebuildRows();
        DI50Detail->FillValues();
    }
    hc50->setText(1, state_.totalText());
    hc50->setText(2, state_.componentsCountText());
    hc50->setText(6, state_.componentsFooterText());
}

void TfrmBorderel::refreshFooters() {
    hc10->setText(2, state_.recordCountText());
    hc10->setText(4, state_.unitFooterText());
}

void TfrmBorderel::followPersons() {
    state_.FollowCursor();
    showPerson();
}

void TfrmBorderel::showPerson() {
    if (state_.paused()) return; // nothing follows while a scroll key is held
    if (actToonDI10Details->isChecked()) DI10Detail->FillValues();
    refreshComponents(); // the components list and its detail pane
}

void TfrmBorderel::fitDetails() {
    DI10Detail->FitHeight();
    DI50Detail->FitHeight();
}

void TfrmBorderel::onPersonsRowChanged(int row) {
    if (syncing_ || row < 0) return;
    state_.persons().setRecNo(row);
    followPersons();
}

// Moves a list's data set and its selection; false when the list is empty.
bool TfrmBorderel::stepList(BorderelGrid* grid, int rows) {
    DataSet* ds = grid->dataSet();
    if (!ds || ds->isEmpty()) return false;
    ds->moveBy(rows);
    syncing_ = true;
    grid->showCurrentRow();
    syncing_ = false;
    return true;
}

void TfrmBorderel::MovePersons(int rows) {
    if (stepList(dbg10, rows)) followPersons();
}

// Moves the list of the active grid's side; the components list moves by itself.
void TfrmBorderel::moveActive(int rows) {
    if (GridRing::isPersonsSide(std::max(ring_.active(), 0)))
        MovePersons(rows);
    else if (stepList(dbg50, rows))
        DI50Detail->FillValues();
}

void TfrmBorderel::ActivateGrid(int entry) {
    if (!ring_.activate(entry)) {
        editVerzZoeken->setFocus();
        return;
    }
    dbg10->setActive(entry == GridRing::Persons);
    dbg50->setActive(entry == GridRing::Components);
    const QString lime = QStringLiteral("QHeaderView::section { background-color: #00ff00; }");
    DI10Detail->horizontalHeader()->setStyleSheet(entry == GridRing::PersonsDetail ? lime : QString());
    DI50Detail->horizontalHeader()->setStyleSheet(entry == GridRing::ComponentsDetail ? lime : QString());
    editVerzZoeken->setFocus();
}

void TfrmBorderel::Search() {
    BusyCursor busy;
    state_.Search(editVerzZoeken->text());
    refreshPersons();
}

void TfrmBorderel::SortPersonsByColumn(int column) {
    const QString field = dbg10->fieldOfColumn(column);
    if (!field.isEmpty() && state_.SortPersonsBy(field)) refreshPersons();
    ActivateGrid(GridRing::Persons);
    editVerzZoeken->setFocus();
}

void TfrmBorderel::SortComponentsByColumn(int column) {
    const QString field = dbg50->fieldOfColumn(column);
    if (!field.isEmpty() && state_.SortComponentsBy(field)) refreshComponents();
    ActivateGrid(GridRing::Components);
    editVerzZoeken->setFocus();
}

void TfrmBorderel::ToggleUnitView() {
    BusyCursor busy;
    hc10->setUpdatesEnabled(false);
    try {
        state_.ToggleUnitView();
    } catch (...) {
        hc10->setUpdatesEnabled(true);
        throw;
    }
    actVerzEenheid->setChecked(state_.unitView());
    if (!state_.unitView()) {
        actIndividueel->setEnabled(false);
        actGezamelijk->setEnabled(true);
    }
    refreshPersons();
    hc10->setUpdatesEnabled(true);
}

void TfrmBorderel::ToggleComponents() {
    BusyCursor busy;
    const bool show = actToonComponenten->isChecked(); // the action has flipped its check already
    pnl50Lijst->setVisible(show);
    if (statusCallback) statusCallback(ShowingComponents);
    state_.SetComponentsShown(show);
    refreshComponents();
    fitDetails();
}

void TfrmBorderel::ToggleDetails(bool personsSide) {
    QAction* a = personsSide ? actToonDI10Details : actToonDI50Details;
    QWidget* panel = personsSide ? pnl10Detail : pnl50Detail;
    panel->setVisible(a->isChecked());
    if (a->isChecked()) { // the pane takes its 221 pixels again beside the list
        QSplitter* split = personsSide ? splitDI10 : splitDI50;
        split->setSizes({221, std::max(split->width() - 225, 200)});
    }
    TDataInspector* inspector = inspectorOf(personsSide);
    if (inspector->dataSet()) {
        inspector->FillValues();
        inspector->FitHeight();
    }
}

void TfrmBorderel::setMode(ComponentsQuery::Mode mode) {
    state_.SetMode(mode);
    const bool joint = mode == ComponentsQuery::Mode::Joint;
    actIndividueel->setEnabled(joint);
    actGezamelijk->setEnabled(!joint);
    refreshComponents();
}

void TfrmBorderel::ChooseDropDown(ComponentsQuery::Filter f, int index) {
    if (state_.ChooseDropDown(f, index)) refreshComponents();
    const QList<QAction*> entries = dropDownMenus_[f] ? dropDownMenus_[f]->actions() : QList<QAction*>();
    if (index < entries.size()) entries[index]->setChecked(true);
}

void TfrmBorderel::ChoosePeriod() {
    const QStringList months = PeriodChoice::Months(state_.connection(), collNr(), collVolgNr(), verzType());
    if (auto result = askPeriod(months, state_.periodSetting())) ApplyPeriod(*result);
}

void TfrmBorderel::ApplyPeriod(const QString& setting) {
    BusyCursor busy;
    if (!state_.ChangePeriod(setting)) return;
    lblPeriode->setText(state_.periodDescription());
    refreshPersons();
}

void TfrmBorderel::EditFieldOrder(bool personsSide) {
    DataSet& ds = personsSide ? state_.persons() : state_.components();
    QString stored = personsSide ? state_.fieldOrder10 : state_.fieldOrder50;
    const QString extended = FieldOrderEditor::ExtendedOrder(ds, stored);
    if (!stored.isEmpty())
        (personsSide ? state_.fieldOrder10 : state_.fieldOrder50) = extended; // kept also on Cancel
    if (auto result = askFieldOrder(extended)) ApplyFieldOrder(personsSide, *result);
}

void TfrmBorderel::ApplyFieldOrder(bool personsSide, const QString& order) {
    state_.SetFieldOrder(personsSide, order);
    movingColumns_ = true;
    listOf(personsSide)->resetVisualOrder();
    movingColumns_ = false;
    if (personsSide)
        refreshPersons();
    else
        refreshComponents();
    inspectorOf(personsSide)->RebuildFillFit();
}

void TfrmBorderel::ColumnDragged(bool personsSide) {
    if (movingColumns_) return;
    const QString order = GridFieldOrder(listOf(personsSide)->visualColumns());
    (personsSide ? state_.fieldOrder10 : state_.fieldOrder50) = order;
}

void TfrmBorderel::PickSortField() {
    const bool persons = ring_.active() == GridRing::Persons;
    BorderelGrid* grid = listOf(persons);
    const int column =
        askSortColumn(grid, FirstCommaItem(grid->dataSet() ? grid->dataSet()->sortFields() : QString()));
    if (column < 0) return;
    if (persons)
        SortPersonsByColumn(column);
    else
        SortComponentsByColumn(column);
    // directly behind the marker column; the stored field order stays
    movingColumns_ = true;
    grid->horizontalHeader()->moveSection(grid->horizontalHeader()->visualIndex(column), 1);
    movingColumns_ = false;
}

void TfrmBorderel::setPausedLook(bool paused) {
    for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{dbg50, DI10Detail, DI50Detail}) {
        QPalette p = v->palette();
        p.setColor(QPalette::Base,
                   paused ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
        p.setColor(QPalette::Text,
                   paused ? palette().color(QPalette::Dark) : palette().color(QPalette::Text));
        v->setPalette(p);
    }
}

bool TfrmBorderel::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    const int active = std::max(ring_.active(), 0);
    const bool list = GridRing::isList(active);
    const bool persons = GridRing::isPersonsSide(active);
    auto startPause = [this] {
        if (!tmrDisableGrids.isActive() && !state_.paused()) tmrDisableGrids.start();
    };
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (persons && !state_.sortField10.isEmpty()) Search();
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        startPause();
        moveActive(key == Qt::Key_PageUp ? -10 : 10);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        startPause();
        if (list)
            moveActive(key == Qt::Key_Up ? -1 : 1);
        else
            inspectorOf(persons)->moveSelection(key == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (list)
            moveActive(key == Qt::Key_Home ? -1000000 : 1000000);
        else
            inspectorOf(persons)->selectEdge(key == Qt::Key_End);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (modifiers & Qt::ControlModifier) {
            ActivateGrid(ring_.neighbour(key == Qt::Key_Right));
            return true;
        }
        if (!list) return false; // left to the search box
        {
            BorderelGrid* g = listOf(persons);
            const int column = std::clamp(g->currentIndex().column() + (key == Qt::Key_Left ? -1 : 1), 0,
                                          g->model()->columnCount() - 1);
            g->setCurrentIndex(g->model()->index(std::max(g->currentIndex().row(), 0), column));
        }
        return true;
    case Qt::Key_F4:
        if (!list) return false;
        PickSortField();
        return true;
    case Qt::Key_F8:
        (persons ? actToonDI10Details : actToonDI50Details)->trigger();
        return true;
    default:
        return false;
    }
}

bool TfrmBorderel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editVerzZoeken) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (handleKey(key->key(), key->modifiers())) return true;
    } else if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        tmrDisableGrids.stop();
        if (state_.paused()) {
            state_.setPaused(false); // follows the row reached
            setPausedLook(false);
            showPerson();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ostrapel
