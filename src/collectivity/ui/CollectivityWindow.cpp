#include "CollectivityWindow.h"

#include "BorderelGrid.h"
#include "CollectivityDetailsDialog.h"
#include "DetailPane.h"
#include "FieldOrderDialog.h"
#include "FooterBar.h"
#include "MarkerImages.h"
#include "PremiumPeriodDialog.h"
#include "SortFieldDialog.h"

#include "collectivity/CollectivityDetails.h"
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

CollectivityWindow::CollectivityWindow(Connection& connection, const RecordCatalogue& catalogue,
                                       Prompts& prompts, Settings& settings, QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), prompts_(prompts), settings_(settings),
      state_(connection, catalogue) {
    tmrDisableGrids.setSingleShot(true);
    connect(&tmrDisableGrids, &QTimer::timeout, this, [this] {
        state_.setPaused(true);
        setPausedLook(true);
    });
    state_.setCompoundSurname(settings_.samengesteldeAchternaam());
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
        PremiumPeriodDialog dialog(months, current, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.result();
    };
    askFieldOrder = [this](const QString& order) -> std::optional<QString> {
        FieldOrderDialog dialog(catalogue_, order, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.result();
    };
    askSortColumn = [this](BorderelGrid* grid, const QString& currentSort) {
        std::vector<SortFieldPicker::Item> items;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (!grid->fieldOfColumn(c).isEmpty())
                items.push_back(
                    {grid->model()->headerData(c, Qt::Horizontal).toString(), grid->fieldOfColumn(c), c});
        SortFieldDialog dialog(items, currentSort, this);
        if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return -1;
        return dialog.chosen()->column;
    };
    showCollDetails = [this](CollectivityDetails& details) {
        CollectivityDetailsDialog dialog(details, catalogue_, this);
        dialog.exec();
    };
    resize(795, 577);
}

CollectivityWindow::~CollectivityWindow() {
    // The child widgets outlive the data sets they show (they go with QWidget's
    // destructor): let go of the data first.
    dbg10->dataModel()->setDataSet(nullptr);
    dbg50->dataModel()->setDataSet(nullptr);
    DI10Detail->setDataSet(nullptr);
    DI50Detail->setDataSet(nullptr);
}

void CollectivityWindow::buildMonthMenus() {
    const QStringList months = invoiceMonths(state_.connection(), collNr(), collVolgNr(), verzType());
    for (QMenu* m : {menuIncasso, menuCorrectie}) {
        m->clear();
        for (const QString& month : months)
            m->addAction(month)->setEnabled(false); // the reports arrive with their own work
    }
}

void CollectivityWindow::buildDropDownMenus() {
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
            connect(a, &QAction::triggered, this, [this, filter, i] { chooseDropDown(filter, i); });
        }
        buttons[f]->setMenu(menu);
        dropDownMenus_[f] = menu;
    }
}

void CollectivityWindow::setIdentity(int collNr, int collVolgNr, int verzType) {
    state_.setIdentity(collNr, collVolgNr, verzType);
}

void CollectivityWindow::loadWindowState() {
    const QString section = windowSection(windowKey());
    Settings& s = settings_;
    if (QWidget* frame = parentWidget()) {
        if (frame->width() < 795 || frame->height() < 577)
            frame->resize(795, 577); // the form's own size at first
        if (s.readBool(Keys::maximized, frame->isMaximized(), section)) {
            frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
        } else {
            const QRect g = frame->geometry();
            frame->setGeometry(s.readInteger(Keys::Left, g.left(), section),
                               s.readInteger(Keys::Top, g.top(), section),
                               s.readInteger(Keys::Width, g.width(), section),
                               s.readInteger(Keys::Height, g.height(), section));
        }
    }
    // A detail pane is set by the opposite check and the action run once.
    actToonDI10Details->setChecked(
        !s.readBool(Keys::ToonTbl10Detail, actToonDI10Details->isChecked(), section));
    actToonDI10Details->trigger();
    actToonDI50Details->setChecked(
        !s.readBool(Keys::ToonTbl50Detail, actToonDI50Details->isChecked(), section));
    actToonDI50Details->trigger();
    state_.fieldOrder10 = s.readString(Keys::FieldOrder10, state_.fieldOrder10, section);
    state_.fieldOrder50 = s.readString(Keys::FieldOrder50, state_.fieldOrder50, section);
    state_.sortField10 = s.readString(Keys::IndexField10, state_.sortField10, section);
    if (state_.sortField10.isEmpty()) state_.sortField10 = QStringLiteral("1002");
    state_.sortField50 = s.readString(Keys::IndexField50, state_.sortField50, section);
    state_.setPeriodSetting(s.readString(Keys::periodKey(verzType()), state_.periodSetting(), section));

    // Initialisation.
    if (!details_)
        details_ =
            std::make_unique<CollectivityDetails>(state_.connection(), catalogue_, collNr(), collVolgNr());
    state_.initialise();
    initialised_ = true;
    lblPeriode->setText(state_.periodDescription());
    buildDropDownMenus();
    buildMonthMenus();
    refreshPersons();
    DI10Detail->setDataSet(&state_.persons());
    DI50Detail->setDataSet(&state_.components());
    DI10Detail->rebuildFillFit();
    DI50Detail->rebuildFillFit();
    activateGrid(GridRing::Persons);

    const QString comp[3] = {Keys::CompHerkomst, Keys::CompSoort, Keys::CompComponent};
    for (int f = 0; f < 3; ++f) {
        const auto filter = ComponentsQuery::Filter(f);
        state_.setStoredDropDownText(filter,
                                     s.readString(comp[f], state_.dropDown(filter).checkedText(), section));
        const QList<QAction*> entries = dropDownMenus_[f]->actions();
        if (state_.dropDown(filter).checked() < entries.size())
            entries[state_.dropDown(filter).checked()]->setChecked(true);
    }
    setMode(s.readString(Keys::ComponentStaat, state_.componentsQuery().modeLetter(), section) ==
                    QStringLiteral("G")
                ? ComponentsQuery::Mode::Joint
                : ComponentsQuery::Mode::Individual);
    actToonComponenten->setChecked(!s.readBool(Keys::ToonComponenten, true, section));
    actToonComponenten->trigger();
}

void CollectivityWindow::saveWindowState() {
    if (!initialised_) return;
    const QString section = windowSection(windowKey());
    Settings& s = settings_;
    if (QWidget* frame = parentWidget()) {
        const QRect g = frame->isMaximized() ? frame->normalGeometry() : frame->geometry();
        s.writeBool(Keys::maximized, frame->isMaximized(), section);
        s.writeInteger(Keys::Width, g.width(), section);
        s.writeInteger(Keys::Height, g.height(), section);
        s.writeInteger(Keys::Top, g.top(), section);
        s.writeInteger(Keys::Left, g.left(), section);
    }
    s.writeBool(Keys::ToonTbl10Detail, actToonDI10Details->isChecked(), section);
    s.writeBool(Keys::ToonTbl50Detail, actToonDI50Details->isChecked(), section);
    s.writeString(Keys::FieldOrder10, state_.fieldOrder10, section);
    s.writeString(Keys::FieldOrder50, state_.fieldOrder50, section);
    s.writeString(Keys::IndexField10, state_.sortField10, section);
    s.writeString(Keys::IndexField50, state_.sortField50, section);
    s.writeBool(Keys::ToonComponenten, state_.componentsShown(), section);
    s.writeString(Keys::periodKey(verzType()), state_.periodSetting(), section);
    s.writeString(Keys::ComponentStaat, state_.componentsQuery().modeLetter(), section);
    const QString comp[3] = {Keys::CompHerkomst, Keys::CompSoort, Keys::CompComponent};
    for (int f = 0; f < 3; ++f)
        s.writeString(comp[f], state_.dropDown(ComponentsQuery::Filter(f)).checkedText(), section);
    s.setSamengesteldeAchternaam(state_.compoundSurname());
}

void CollectivityWindow::closeEvent(QCloseEvent* event) {
    if (!saved_) {
        saveWindowState();
        saved_ = true;
    }
    event->accept();
}

void CollectivityWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitDetails();
}

void CollectivityWindow::refreshPersons() {
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
    if (DI10Detail->dataSet()) DI10Detail->fillValues();
    refreshComponents();
    refreshFooters();
}

void CollectivityWindow::refreshComponents() {
    if (!state_.componentsShown()) return;
    syncing_ = true;
    dbg50->setColumns(&state_.components(), state_.componentsColumns());
    dbg50->setSortField(state_.sortField50);
    dbg50->refresh();
    dbg50->showCurrentRow();
    syncing_ = false;
    if (DI50Detail->dataSet()) {
        if (DI50Detail->rowCount() == 0) DI50Detail->rebuildRows();
        DI50Detail->fillValues();
    }
    hc50->setText(1, state_.totalText());
    hc50->setText(2, state_.componentsCountText());
    hc50->setText(6, state_.componentsFooterText());
}

void CollectivityWindow::refreshFooters() {
    hc10->setText(2, state_.recordCountText());
    hc10->setText(4, state_.unitFooterText());
}

void CollectivityWindow::followPersons() {
    state_.followCursor();
    showPerson();
}

void CollectivityWindow::showPerson() {
    if (state_.paused()) return; // nothing follows while a scroll key is held
    if (actToonDI10Details->isChecked()) DI10Detail->fillValues();
    refreshComponents(); // the components list and its detail pane
}

void CollectivityWindow::fitDetails() {
    DI10Detail->fitHeight();
    DI50Detail->fitHeight();
}

void CollectivityWindow::onPersonsRowChanged(int row) {
    if (syncing_ || row < 0) return;
    state_.persons().setRecNo(row);
    followPersons();
}

// Moves a list's data set and its selection; false when the list is empty.
bool CollectivityWindow::stepList(BorderelGrid* grid, int rows) {
    DataSet* ds = grid->dataSet();
    if (!ds || ds->isEmpty()) return false;
    ds->moveBy(rows);
    syncing_ = true;
    grid->showCurrentRow();
    syncing_ = false;
    return true;
}

void CollectivityWindow::movePersons(int rows) {
    if (stepList(dbg10, rows)) followPersons();
}

// Moves the list of the active grid's side; the components list moves by itself.
void CollectivityWindow::moveActive(int rows) {
    if (GridRing::isPersonsSide(std::max(ring_.active(), 0)))
        movePersons(rows);
    else if (stepList(dbg50, rows))
        DI50Detail->fillValues();
}

void CollectivityWindow::activateGrid(int entry) {
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

void CollectivityWindow::search() {
    BusyCursor busy;
    state_.search(editVerzZoeken->text());
    refreshPersons();
}

void CollectivityWindow::sortPersonsByColumn(int column) {
    const QString field = dbg10->fieldOfColumn(column);
    if (!field.isEmpty() && state_.sortPersonsBy(field)) refreshPersons();
    activateGrid(GridRing::Persons);
    editVerzZoeken->setFocus();
}

void CollectivityWindow::sortComponentsByColumn(int column) {
    const QString field = dbg50->fieldOfColumn(column);
    if (!field.isEmpty() && state_.sortComponentsBy(field)) refreshComponents();
    activateGrid(GridRing::Components);
    editVerzZoeken->setFocus();
}

void CollectivityWindow::toggleUnitView() {
    BusyCursor busy;
    hc10->setUpdatesEnabled(false);
    try {
        state_.toggleUnitView();
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

void CollectivityWindow::toggleComponents() {
    BusyCursor busy;
    const bool show = actToonComponenten->isChecked(); // the action has flipped its check already
    pnl50Lijst->setVisible(show);
    if (statusCallback) statusCallback(ShowingComponents);
    state_.setComponentsShown(show);
    refreshComponents();
    fitDetails();
}

void CollectivityWindow::toggleDetails(bool personsSide) {
    QAction* a = personsSide ? actToonDI10Details : actToonDI50Details;
    QWidget* panel = personsSide ? pnl10Detail : pnl50Detail;
    panel->setVisible(a->isChecked());
    if (a->isChecked()) { // the pane takes its 221 pixels again beside the list
        QSplitter* split = personsSide ? splitDI10 : splitDI50;
        split->setSizes({221, std::max(split->width() - 225, 200)});
    }
    DetailPane* inspector = inspectorOf(personsSide);
    if (inspector->dataSet()) {
        inspector->fillValues();
        inspector->fitHeight();
    }
}

void CollectivityWindow::setMode(ComponentsQuery::Mode mode) {
    state_.setMode(mode);
    const bool joint = mode == ComponentsQuery::Mode::Joint;
    actIndividueel->setEnabled(joint);
    actGezamelijk->setEnabled(!joint);
    refreshComponents();
}

void CollectivityWindow::chooseDropDown(ComponentsQuery::Filter f, int index) {
    if (state_.chooseDropDown(f, index)) refreshComponents();
    const QList<QAction*> entries = dropDownMenus_[f] ? dropDownMenus_[f]->actions() : QList<QAction*>();
    if (index < entries.size()) entries[index]->setChecked(true);
}

void CollectivityWindow::choosePeriod() {
    const QStringList months = PeriodChoice::months(state_.connection(), collNr(), collVolgNr(), verzType());
    if (auto result = askPeriod(months, state_.periodSetting())) applyPeriod(*result);
}

void CollectivityWindow::applyPeriod(const QString& setting) {
    BusyCursor busy;
    if (!state_.changePeriod(setting)) return;
    lblPeriode->setText(state_.periodDescription());
    refreshPersons();
}

void CollectivityWindow::editFieldOrder(bool personsSide) {
    DataSet& ds = personsSide ? state_.persons() : state_.components();
    QString stored = personsSide ? state_.fieldOrder10 : state_.fieldOrder50;
    const QString extended = FieldOrderEditor::extendedOrder(ds, stored);
    if (!stored.isEmpty())
        (personsSide ? state_.fieldOrder10 : state_.fieldOrder50) = extended; // kept also on Cancel
    if (auto result = askFieldOrder(extended)) applyFieldOrder(personsSide, *result);
}

void CollectivityWindow::applyFieldOrder(bool personsSide, const QString& order) {
    state_.setFieldOrder(personsSide, order);
    movingColumns_ = true;
    listOf(personsSide)->resetVisualOrder();
    movingColumns_ = false;
    if (personsSide)
        refreshPersons();
    else
        refreshComponents();
    inspectorOf(personsSide)->rebuildFillFit();
}

void CollectivityWindow::columnDragged(bool personsSide) {
    if (movingColumns_) return;
    const QString order = gridFieldOrder(listOf(personsSide)->visualColumns());
    (personsSide ? state_.fieldOrder10 : state_.fieldOrder50) = order;
}

void CollectivityWindow::pickSortField() {
    const bool persons = ring_.active() == GridRing::Persons;
    BorderelGrid* grid = listOf(persons);
    const int column =
        askSortColumn(grid, firstCommaItem(grid->dataSet() ? grid->dataSet()->sortFields() : QString()));
    if (column < 0) return;
    if (persons)
        sortPersonsByColumn(column);
    else
        sortComponentsByColumn(column);
    // directly behind the marker column; the stored field order stays
    movingColumns_ = true;
    grid->horizontalHeader()->moveSection(grid->horizontalHeader()->visualIndex(column), 1);
    movingColumns_ = false;
}

void CollectivityWindow::setPausedLook(bool paused) {
    for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{dbg50, DI10Detail, DI50Detail}) {
        QPalette p = v->palette();
        p.setColor(QPalette::Base,
                   paused ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
        p.setColor(QPalette::Text,
                   paused ? palette().color(QPalette::Dark) : palette().color(QPalette::Text));
        v->setPalette(p);
    }
}

bool CollectivityWindow::handleKey(int key, Qt::KeyboardModifiers modifiers) {
    const int active = std::max(ring_.active(), 0);
    const bool list = GridRing::isList(active);
    const bool persons = GridRing::isPersonsSide(active);
    auto startPause = [this] {
        if (!tmrDisableGrids.isActive() && !state_.paused()) tmrDisableGrids.start(state_.pauseDelay());
    };
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (persons && !state_.sortField10.isEmpty()) search();
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
            activateGrid(ring_.neighbour(key == Qt::Key_Right));
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
        pickSortField();
        return true;
    case Qt::Key_F8:
        (persons ? actToonDI10Details : actToonDI50Details)->trigger();
        return true;
    default:
        return false;
    }
}

bool CollectivityWindow::eventFilter(QObject* watched, QEvent* event) {
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
