#include "CollectivityWindow.h"

#include "CollectivityDetailsDialog.h"
#include "CollectivityKeyRouter.h"
#include "CollectivityWindowSettings.h"
#include "DetailPane.h"
#include "FieldOrderDialog.h"
#include "FooterBar.h"
#include "ListPane.h"
#include "MarkerImages.h"
#include "PeriodDialog.h"
#include "PremiumPeriodDialog.h"
#include "SortFieldDialog.h"
#include "StatementGrid.h"

#include "collectivity/CollectivityDetails.h"
#include "collectivity/CollectivityTexts.h"
#include "collectivity/InvoiceMonths.h"
#include "collectivity/PeriodChoice.h"
#include "core/Connection.h"
#include "core/Prompts.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace ostrapel {

using namespace CollectivityTexts;
CollectivityWindow::CollectivityWindow(Connection& connection, const RecordCatalogue& catalogue,
                                       Prompts& prompts, PrinterService& printer, Desktop& desktop,
                                       Dialogs& dialogs, Settings& settings, WindowReports& reports,
                                       QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), prompts_(prompts), printer_(printer), desktop_(desktop),
      reports_(reports), dialogs_(dialogs), settings_(settings), state_(connection, catalogue),
      keys_(std::make_unique<CollectivityKeyRouter>(*this)) {
    state_.setCompoundSurname(settings_.compoundSurname());
    buildActions();
    buildLayout();
    buildMenus();
    actToonSamengesteldeAchternaam->setChecked(state_.compoundSurname());
    ring_.isShowing = [this](int e) {
        switch (e) {
        case GridRing::PersonsDetail:
            return !personsPane_->detailPanel()->isHidden();
        case GridRing::Persons:
            return true;
        case GridRing::ComponentsDetail:
            return state_.componentsShown() && !componentsPane_->detailPanel()->isHidden();
        default:
            return state_.componentsShown();
        }
    };
    resize(795, 577);
}

CollectivityWindow::~CollectivityWindow() {
    // The child widgets outlive the data sets they show (they go with QWidget's
    // destructor): let go of the data first.
    for (ListPane* p : {personsPane_, componentsPane_}) {
        p->grid()->dataModel()->setDataSet(nullptr);
        p->detail()->setDataSet(nullptr);
    }
}

void CollectivityWindow::buildMonthMenus() {
    // Read when a menu first opens: at a big collectivity the months cost more
    // than the rest of the opening, and most openings never look at them.
    if (monthMenusBuilt_ || !initialised_) return;
    const QStringList months = invoiceMonths(state_.connection(), collectivity(), insuranceType());
    monthMenusBuilt_ = true;
    for (QMenu* m : {menuIncasso, menuCorrectie}) {
        m->clear();
        const auto kind =
            m == menuIncasso ? WindowReports::Kind::Collection : WindowReports::Kind::Correction;
        for (const QString& month : months)
            onTriggered(m->addAction(month), [this, kind, month] { runReport(kind, month); });
    }
}

void CollectivityWindow::runReport(WindowReports::Kind kind, const QString& month) {
    reports_.runStandard(kind, state_, month, this);
}

void CollectivityWindow::runRenewalDifferences() {
    PeriodDialog dialog(ComparisonChoice::months(state_.connection(), collectivity(), insuranceType()),
                        prompts_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    reports_.runRenewal(state_, dialog.fromMonth(), dialog.toMonth(), this);
}

void CollectivityWindow::buildDropDownMenus() {
    for (int f = 0; f < 3; ++f) {
        delete dropDownMenus_[f];
        const auto filter = ComponentsQuery::Filter(f);
        auto* menu = new QMenu(dropDownButtons_[f]);
        auto* group = new QActionGroup(menu);
        const DropDownFilter& d = state_.dropDown(filter);
        for (int i = 0; i < d.entries().size(); ++i) {
            QAction* a = menu->addAction(menuText(d.entries()[i]));
            a->setCheckable(true);
            a->setChecked(i == d.checked());
            group->addAction(a);
            onTriggered(a, [this, filter, i] { chooseDropDown(filter, i); });
        }
        dropDownButtons_[f]->setMenu(menu);
        dropDownMenus_[f] = menu;
    }
}

QAction* CollectivityWindow::detailsAction(bool personsSide) const {
    return personsSide ? actToonDI10Details : actToonDI50Details;
}

void CollectivityWindow::setIdentity(CollectivityKey collectivity, InsuranceType type) {
    state_.setIdentity(collectivity, type);
}

void CollectivityWindow::loadWindowState() {
    const CollectivityWindowSettings stored(settings_, windowKey());
    if (QWidget* frame = parentWidget()) stored.restoreFrame(*frame);
    // A detail pane is set by the opposite check and the action run once.
    for (const bool persons : {true, false}) {
        QAction* details = detailsAction(persons);
        details->setChecked(!stored.detailsShown(persons, details->isChecked()));
        details->trigger();
    }
    for (const bool persons : {true, false}) {
        const ListSideState& side = state_.side(persons);
        state_.restoreSide(persons, stored.fieldOrder(persons, side.fieldOrder),
                           stored.sortField(persons, side.sortField));
    }
    state_.setPeriodSetting(stored.period(insuranceType(), state_.periodSetting()));

    // Initialisation.
    if (!details_)
        details_ = std::make_unique<CollectivityDetails>(state_.connection(), catalogue_, collectivity());
    state_.initialise();
    initialised_ = true;
    lblPeriode_->setText(state_.periodDescription());
    buildDropDownMenus();
    refreshPersons();
    personsPane_->detail()->setDataSet(&state_.persons());
    componentsPane_->detail()->setDataSet(&state_.components());
    personsPane_->detail()->rebuildFillFit();
    componentsPane_->detail()->rebuildFillFit();
    activateGrid(GridRing::Persons);

    for (int f = 0; f < 3; ++f) {
        const auto filter = ComponentsQuery::Filter(f);
        state_.setStoredDropDownText(filter,
                                     stored.dropDownText(filter, state_.dropDown(filter).checkedText()));
        const QList<QAction*> entries = dropDownMenus_[f]->actions();
        if (state_.dropDown(filter).checked() < entries.size())
            entries[state_.dropDown(filter).checked()]->setChecked(true);
    }
    setMode(stored.componentMode(state_.componentsQuery().modeLetter()) == QStringLiteral("G")
                ? ComponentsQuery::Mode::Joint
                : ComponentsQuery::Mode::Individual);
    actToonComponenten->setChecked(!stored.componentsShown());
    actToonComponenten->trigger();
}

void CollectivityWindow::setPauseInterval(int ms) {
    keys_->setPauseInterval(ms);
}

void CollectivityWindow::focusSearch() {
    editVerzZoeken_->setFocus();
    editVerzZoeken_->selectAll();
}

void CollectivityWindow::reload() {
    if (!initialised_) return;
    BusyCursor busy;
    details_ = std::make_unique<CollectivityDetails>(state_.connection(), catalogue_, collectivity());
    state_.reload();
    buildDropDownMenus();
    // the months are read again when a month menu next opens
    monthMenusBuilt_ = false;
    menuIncasso->clear();
    menuCorrectie->clear();
    refreshPersons();
    personsPane_->detail()->rebuildFillFit();
    componentsPane_->detail()->rebuildFillFit();
}

void CollectivityWindow::saveWindowState() {
    if (!initialised_) return;
    CollectivityWindowSettings stored(settings_, windowKey());
    if (QWidget* frame = parentWidget()) stored.saveFrame(*frame);
    for (const bool persons : {true, false})
        stored.setDetailsShown(persons, detailsAction(persons)->isChecked());
    for (const bool persons : {true, false})
        stored.setSide(persons, state_.side(persons).fieldOrder, state_.side(persons).sortField);
    stored.setComponentsShown(state_.componentsShown());
    stored.setPeriod(insuranceType(), state_.periodSetting());
    stored.setComponentMode(state_.componentsQuery().modeLetter());
    for (int f = 0; f < 3; ++f) {
        const auto filter = ComponentsQuery::Filter(f);
        stored.setDropDownText(filter, state_.dropDown(filter).checkedText());
    }
    stored.setCompoundSurname(state_.compoundSurname());
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
    personsPane_->grid()->setColumns(&state_.persons(), state_.personsSide().columns);
    personsPane_->grid()->setSortField(state_.personsSide().sortField);
    personsPane_->grid()->scrollToStart();
    personsPane_->grid()->showCurrentRow();
    syncing_ = false;
    const int sortColumn = personsPane_->grid()->columnOfField(state_.personsSide().sortField);
    if (sortColumn >= 0 && !state_.persons().isEmpty())
        lblZoek_->setText(personsPane_->grid()->model()->headerData(sortColumn, Qt::Horizontal).toString());
    personsPane_->header()->setText(state_.verzekerdenLabel());
    if (personsPane_->detail()->dataSet()) personsPane_->detail()->fillValues();
    refreshComponents();
    refreshFooters();
}

void CollectivityWindow::refreshComponents() {
    if (!state_.componentsShown()) return;
    syncing_ = true;
    componentsPane_->grid()->setColumns(&state_.components(), state_.componentsSide().columns);
    componentsPane_->grid()->setSortField(state_.componentsSide().sortField);
    componentsPane_->grid()->scrollToStart();
    componentsPane_->grid()->showCurrentRow();
    syncing_ = false;
    if (componentsPane_->detail()->dataSet()) {
        if (componentsPane_->detail()->rowCount() == 0) componentsPane_->detail()->rebuildRows();
        componentsPane_->detail()->fillValues();
    }
    componentsPane_->footer()->setText(1, state_.totalText());
    componentsPane_->footer()->setText(2, state_.componentsCountText());
    componentsPane_->footer()->setText(6, state_.componentsFooterText());
}

void CollectivityWindow::refreshFooters() {
    personsPane_->footer()->setText(2, state_.recordCountText());
    personsPane_->footer()->setText(4, state_.unitFooterText());
}

void CollectivityWindow::followPersons() {
    state_.followCursor();
    showPerson();
}

void CollectivityWindow::showPerson() {
    if (state_.paused()) return; // nothing follows while a scroll key is held
    if (actToonDI10Details->isChecked()) personsPane_->detail()->fillValues();
    refreshComponents(); // the components list and its detail pane
}

void CollectivityWindow::fitDetails() {
    personsPane_->detail()->fitHeight();
    componentsPane_->detail()->fitHeight();
}

void CollectivityWindow::onPersonsRowChanged(int row) {
    if (syncing_ || row < 0) return;
    state_.persons().setRecNo(row);
    followPersons();
}

// Moves a list's data set and its selection; false when the list is empty.
bool CollectivityWindow::stepList(StatementGrid* grid, int rows) {
    DataSet* ds = grid->dataSet();
    if (!ds || ds->isEmpty()) return false;
    ds->moveBy(rows);
    syncing_ = true;
    grid->showCurrentRow();
    syncing_ = false;
    return true;
}

void CollectivityWindow::movePersons(int rows) {
    if (stepList(personsPane_->grid(), rows)) followPersons();
}

// Moves the list of the active grid's side; the components list moves by itself.
void CollectivityWindow::moveActive(int rows) {
    if (GridRing::isPersonsSide(std::max(ring_.active(), 0)))
        movePersons(rows);
    else if (stepList(componentsPane_->grid(), rows))
        componentsPane_->detail()->fillValues();
}

void CollectivityWindow::activateGrid(int entry) {
    if (!ring_.activate(entry)) {
        editVerzZoeken_->setFocus();
        return;
    }
    personsPane_->grid()->setActive(entry == GridRing::Persons);
    componentsPane_->grid()->setActive(entry == GridRing::Components);
    const QString lime = QStringLiteral("QHeaderView::section { background-color: #00ff00; }");
    personsPane_->detail()->horizontalHeader()->setStyleSheet(entry == GridRing::PersonsDetail ? lime
                                                                                               : QString());
    componentsPane_->detail()->horizontalHeader()->setStyleSheet(
        entry == GridRing::ComponentsDetail ? lime : QString());
    editVerzZoeken_->setFocus();
}

void CollectivityWindow::search() {
    BusyCursor busy;
    state_.search(editVerzZoeken_->text());
    refreshPersons();
}

void CollectivityWindow::sortPersonsByColumn(int column) {
    const QString field = personsPane_->grid()->fieldOfColumn(column);
    if (!field.isEmpty() && state_.sortPersonsBy(field)) refreshPersons();
    activateGrid(GridRing::Persons);
    editVerzZoeken_->setFocus();
}

void CollectivityWindow::sortComponentsByColumn(int column) {
    const QString field = componentsPane_->grid()->fieldOfColumn(column);
    if (!field.isEmpty() && state_.sortComponentsBy(field)) refreshComponents();
    activateGrid(GridRing::Components);
    editVerzZoeken_->setFocus();
}

void CollectivityWindow::toggleUnitView() {
    BusyCursor busy;
    personsPane_->footer()->setUpdatesEnabled(false);
    try {
        state_.toggleUnitView();
    } catch (...) {
        personsPane_->footer()->setUpdatesEnabled(true);
        throw;
    }
    actVerzEenheid->setChecked(state_.unitView());
    if (!state_.unitView()) {
        actIndividueel->setEnabled(false);
        actGezamelijk->setEnabled(true);
    }
    refreshPersons();
    personsPane_->footer()->setUpdatesEnabled(true);
}

void CollectivityWindow::toggleComponents() {
    BusyCursor busy;
    const bool show = actToonComponenten->isChecked(); // the action has flipped its check already
    componentsPane_->setVisible(show);
    if (statusCallback) statusCallback(ShowingComponents);
    state_.setComponentsShown(show);
    refreshComponents();
    fitDetails();
}

void CollectivityWindow::toggleDetails(bool personsSide) {
    pane(personsSide)->showDetail(detailsAction(personsSide)->isChecked());
    DetailPane* inspector = pane(personsSide)->detail();
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
    const QStringList months = PeriodChoice::months(state_.connection(), collectivity(), insuranceType());
    PremiumPeriodDialog dialog(months, state_.periodSetting(), this);
    if (dialogs_.run(dialog) == QDialog::Accepted) applyPeriod(dialog.periodSetting());
}

void CollectivityWindow::applyPeriod(const QString& setting) {
    BusyCursor busy;
    if (!state_.changePeriod(setting)) return;
    lblPeriode_->setText(state_.periodDescription());
    refreshPersons();
}

void CollectivityWindow::editFieldOrder(bool personsSide) {
    ListSideState& side = state_.side(personsSide);
    const QString extended = FieldOrderEditor::extendedOrder(side.data, side.fieldOrder);
    if (!side.fieldOrder.isEmpty()) side.fieldOrder = extended; // kept also on Cancel
    FieldOrderDialog dialog(catalogue_, extended, this);
    if (dialogs_.run(dialog) == QDialog::Accepted) applyFieldOrder(personsSide, dialog.fieldOrder());
}

void CollectivityWindow::applyFieldOrder(bool personsSide, const QString& order) {
    state_.setFieldOrder(personsSide, order);
    movingColumns_ = true;
    pane(personsSide)->grid()->resetVisualOrder();
    movingColumns_ = false;
    if (personsSide)
        refreshPersons();
    else
        refreshComponents();
    pane(personsSide)->detail()->rebuildFillFit();
}

void CollectivityWindow::columnDragged(bool personsSide) {
    if (movingColumns_) return;
    const QString order = gridFieldOrder(pane(personsSide)->grid()->visualColumns());
    state_.side(personsSide).fieldOrder = order;
}

void CollectivityWindow::pickSortField() {
    const bool persons = ring_.active() == GridRing::Persons;
    StatementGrid* grid = pane(persons)->grid();
    // The whole sort text: a mapped field list names no single entry.
    SortFieldDialog dialog(grid->sortItems(), grid->dataSet() ? grid->dataSet()->sortFields() : QString(),
                           this);
    if (dialogs_.run(dialog) != QDialog::Accepted || !dialog.chosen()) return;
    const int column = dialog.chosen()->column;
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
    for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{
             componentsPane_->grid(), personsPane_->detail(), componentsPane_->detail()}) {
        QPalette p = v->palette();
        p.setColor(QPalette::Base,
                   paused ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
        p.setColor(QPalette::Text,
                   paused ? palette().color(QPalette::Dark) : palette().color(QPalette::Text));
        v->setPalette(p);
    }
}

} // namespace ostrapel
