#include "CollectivityWindow.h"

#include "CollectivityDetailsDialog.h"
#include "CollectivityKeyRouter.h"
#include "DetailPane.h"
#include "FooterBar.h"
#include "ListPane.h"
#include "MarkerImages.h"
#include "StatementGrid.h"

#include "collectivity/CollectivityTexts.h"
#include "core/Settings.h"
#include "core/TextHelpers.h"
#include "widgets/Dialogs.h"
#include "widgets/GuardedCommand.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// The construction of the collectivity window: its actions, panes and menus.
namespace ostrapel {

using namespace CollectivityTexts;

QAction* CollectivityWindow::action(const QString& name, const QString& caption, const QString& hint) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (!hint.isEmpty()) {
        a->setToolTip(shortHint(hint));
        a->setStatusTip(longHint(hint));
    }
    addAction(a);
    return a;
}

void CollectivityWindow::runCommand(const std::function<void()>& command) {
    runGuarded(prompts_, command);
}

void CollectivityWindow::onTriggered(QAction* action, std::function<void()> command) {
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] { runCommand(command); });
}

void CollectivityWindow::buildActions() {
    actClose = action(QStringLiteral("actClose"), QStringLiteral("Sluiten"),
                      QStringLiteral("Sluiten|Sluit deze collectiviteit af"));
    actClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    onTriggered(actClose, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });
    actToonDI10Details =
        action(QStringLiteral("actToonDI10Details"), QStringLiteral("Toon verzekerden details"),
               QStringLiteral("Toon details|Toon detailgegevens van verzekerde"));
    actToonDI10Details->setCheckable(true);
    actToonDI10Details->setChecked(true);
    onTriggered(actToonDI10Details, [this] { toggleDetails(true); });
    actToonDI50Details = action(QStringLiteral("actToonDI50Details"), QStringLiteral("Toon premie details"),
                                QStringLiteral("Toon details|Toon detailgegevens van premiecomponent"));
    actToonDI50Details->setCheckable(true);
    onTriggered(actToonDI50Details, [this] { toggleDetails(false); });
    actVerzEenheid =
        action(QStringLiteral("actVerzEenheid"), QStringLiteral("Toon verzekeringseenheid"),
               QStringLiteral("Toon eenheid|Toon alle verzekerden die bij verzekeringseenheid horen"));
    actVerzEenheid->setShortcut(Qt::Key_F6);
    actVerzEenheid->setCheckable(true);
    onTriggered(actVerzEenheid, [this] { toggleUnitView(); });
    actToonComponenten = action(QStringLiteral("actToonComponenten"), QStringLiteral("Toon componenten"),
                                QStringLiteral("Toon componenten|Toon premiecomponenten bij verzekerde"));
    actToonComponenten->setShortcut(Qt::Key_F7);
    actToonComponenten->setCheckable(true);
    onTriggered(actToonComponenten, [this] { toggleComponents(); });
    actIndividueel = action(QStringLiteral("actIndividueel"), Individueel,
                            QStringLiteral("Toon individueel|Toon premiecomponenten van individu"));
    actIndividueel->setShortcut(QKeySequence(Qt::ALT | Qt::Key_I));
    actIndividueel->setEnabled(false);
    onTriggered(actIndividueel, [this] { setMode(ComponentsQuery::Mode::Individual); });
    actGezamelijk =
        action(QStringLiteral("actGezamelijk"), QStringLiteral("Gezamelijk"),
               QStringLiteral(
                   "Toon gezamenlijk|Toon de gezamenlijke premiecomponenten van een verzekeringseenheid"));
    actGezamelijk->setShortcut(QKeySequence(Qt::ALT | Qt::Key_G));
    onTriggered(actGezamelijk, [this] { setMode(ComponentsQuery::Mode::Joint); });
    actCollDetails = action(QStringLiteral("actCollDetails"), QStringLiteral("Toon collectiviteit-gegevens"),
                            QStringLiteral("Toon details|Toon collectiviteitsgegevens"));
    onTriggered(actCollDetails, [this] {
        if (!details_) return;
        CollectivityDetailsDialog dialog(*details_, catalogue_, insuranceType(), prompts_,
                                         settings_.exportDir(), this);
        dialogs_.run(dialog);
    });
    actVeranderPeriode = action(
        QStringLiteral("actVeranderPeriode"), QStringLiteral("Verander premieactiviteit periode"),
        QStringLiteral(
            "Verander aantal maanden|Verander aantal maanden premieactiviteit in verzekeringseenheid"));
    onTriggered(actVeranderPeriode, [this] { choosePeriod(); });
    actToonSamengesteldeAchternaam = action(QStringLiteral("actToonSamengesteldeAchternaam"),
                                            QStringLiteral("Toon samengestelde achternaam"));
    actToonSamengesteldeAchternaam->setCheckable(true);
    onTriggered(actToonSamengesteldeAchternaam, [this] {
        state_.toggleCompoundSurname();
        actToonSamengesteldeAchternaam->setChecked(state_.compoundSurname());
        refreshPersons();
    });
    actVeranderVeldVolgorde =
        action(QStringLiteral("actVeranderVeldVolgorde"), QStringLiteral("Verander veld volgorde"));
    actVeranderVeldVolgorde->setShortcut(Qt::Key_F12);
    onTriggered(actVeranderVeldVolgorde, [this] {
        (GridRing::isPersonsSide(std::max(ring_.active(), 0)) ? actFieldOrder10 : actFieldOrder50)->trigger();
    });
    actFieldOrder10 = action(QStringLiteral("actFieldOrder10"), QString());
    onTriggered(actFieldOrder10, [this] { editFieldOrder(true); });
    actFieldOrder50 = action(QStringLiteral("actFieldOrder50"), QString());
    onTriggered(actFieldOrder50, [this] { editFieldOrder(false); });
    actExportWizard = action(QStringLiteral("actExportWizard"), QStringLiteral("Excel export wizard ..."));
    onTriggered(actExportWizard, [this] { reports_.runExportWizard(state_, this); });
    actRapEigenCriteria =
        action(QStringLiteral("actRapEigenCriteria"), QStringLiteral("Selectie eigen criteria"));
    onTriggered(actRapEigenCriteria, [this] { runReport(WindowReports::Kind::Selection); });
    actRapProlongatieVerschillen = action(QStringLiteral("actRapProlongatieVerschillen"),
                                          QStringLiteral("Bereken prolongatieverschillen"));
    onTriggered(actRapProlongatieVerschillen, [this] { runRenewalDifferences(); });
    actFilter = action(QStringLiteral("actFilter"), QStringLiteral("Filter"));
    onTriggered(actFilter, [this] { editFilter(); });
}

QWidget* CollectivityWindow::buildSearchBar(QWidget* parent) {
    auto* search = new QWidget(parent);
    search->setFixedHeight(27);
    auto* sl = new QHBoxLayout(search);
    sl->setContentsMargins(4, 2, 4, 2);
    sl->addWidget(new QLabel(ZoekOp, search));
    editVerzZoeken_ = new QLineEdit(search);
    editVerzZoeken_->setObjectName(QStringLiteral("editVerzZoeken"));
    editVerzZoeken_->setFixedWidth(160);
    editVerzZoeken_->installEventFilter(keys_.get());
    connect(editVerzZoeken_, &QLineEdit::textEdited, this, [this](const QString& t) {
        const int pos = editVerzZoeken_->cursorPosition();
        editVerzZoeken_->setText(t.toUpper()); // the box takes upper case only
        editVerzZoeken_->setCursorPosition(pos);
    });
    sl->addWidget(editVerzZoeken_);
    lblZoek_ = new QLabel(GeenZoekveld, search);
    lblZoek_->setObjectName(QStringLiteral("lblZoek"));
    lblZoek_->setMinimumWidth(110);
    sl->addWidget(lblZoek_);
    struct Nav {
        QStyle::StandardPixmap icon;
        const char* hint;
        int move;
    } nav[] = {{QStyle::SP_MediaSkipBackward, "Eerste record", -1000000},
               {QStyle::SP_MediaSeekBackward, "Vorige record", -1},
               {QStyle::SP_MediaSeekForward, "Volgende record", 1},
               {QStyle::SP_MediaSkipForward, "Laatste record", 1000000}};
    for (const Nav& n : nav) {
        auto* b = new QToolButton(search);
        b->setIcon(style()->standardIcon(n.icon));
        b->setToolTip(QString::fromUtf8(n.hint));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        const int move = n.move;
        connect(b, &QToolButton::clicked, this, [this, move] {
            runCommand([this, move] {
                moveActive(move); // the navigator follows the active grid's list
                editVerzZoeken_->setFocus();
            });
        });
        sl->addWidget(b);
    }
    sl->addStretch();
    auto* period = new QToolButton(search);
    period->setDefaultAction(actVeranderPeriode);
    period->setText(VeranderPeriodeButton);
    period->setAutoRaise(true);
    period->setFocusPolicy(Qt::NoFocus);
    sl->addWidget(period);
    return search;
}

QWidget* CollectivityWindow::buildComponentsBar(QWidget* parent) {
    auto* bar = new QToolBar(parent);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* opties = new QToolButton(bar);
    opties->setText(QStringLiteral("Opties"));
    opties->setPopupMode(QToolButton::InstantPopup);
    auto* optMenu = new QMenu(opties);
    QMenu* toonMenu = optMenu->addMenu(QStringLiteral("Toon componenten"));
    toonMenu->addAction(actIndividueel);
    QAction* joint = toonMenu->addAction(Gezamenlijk); // the menu says "Gezamenlijk"
    // Shows the action's key and hint; the key itself fires only while this menu is open.
    joint->setShortcut(actGezamelijk->shortcut());
    joint->setShortcutContext(Qt::WidgetShortcut);
    joint->setToolTip(actGezamelijk->toolTip());
    joint->setStatusTip(actGezamelijk->statusTip());
    connect(joint, &QAction::triggered, actGezamelijk, &QAction::trigger); // guarded there
    connect(actGezamelijk, &QAction::enabledChanged, joint, &QAction::setEnabled);
    optMenu->addSeparator();
    optMenu->addAction(actToonDI50Details);
    optMenu->addAction(actVeranderVeldVolgorde);
    opties->setMenu(optMenu);
    bar->addWidget(opties);
    bar->addSeparator();
    struct Drop {
        const char* name;
        const char* caption;
        const char* hint;
    } drops[] = {{"tbtnHerkomst", "Herkomst", "Filter herkomst|Filter premiecomponenten op herkomst"},
                 {"tbtnSoort", "Soort", "Filter soort|Filter premiecomponenten op soort"},
                 {"tbtnComponent", "Premie component",
                  "Filter premiecomponent|Filter premiecomponenten op premiecomponent"}};
    for (int f = 0; f < 3; ++f) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(drops[f].name));
        b->setText(QString::fromUtf8(drops[f].caption));
        const QString hint = QString::fromUtf8(drops[f].hint);
        b->setToolTip(shortHint(hint));
        b->setStatusTip(longHint(hint));
        b->setPopupMode(QToolButton::InstantPopup);
        bar->addWidget(b);
        dropDownButtons_[f] = b;
    }
    return bar;
}

void CollectivityWindow::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    splitVert_ = new QSplitter(Qt::Vertical, this);
    splitVert_->setObjectName(QStringLiteral("splitVert"));
    splitVert_->setHandleWidth(4);
    splitVert_->setChildrenCollapsible(false);
    outer->addWidget(splitVert_);

    personsPane_ = new ListPane(catalogue_, QStringLiteral("10"), StatementGrid::Marker::MainInsured,
                                Verzekerden, QStringLiteral("Details|Detailgegevens verzekerde"),
                                QStringLiteral("Lijst|Lijst met verzekerden"), splitVert_);
    lblPeriode_ = new QLabel(personsPane_->header());
    lblPeriode_->setObjectName(QStringLiteral("lblPeriode"));
    lblPeriode_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont periodFont = font();
    periodFont.setBold(true);
    periodFont.setPointSizeF(font().pointSizeF()); // not the header's large size
    lblPeriode_->setFont(periodFont);
    auto* headerRow = new QHBoxLayout(personsPane_->header());
    headerRow->setContentsMargins(0, 0, 6, 0);
    headerRow->addStretch();
    headerRow->addWidget(lblPeriode_);
    personsPane_->addBar(buildSearchBar(personsPane_));
    FooterBar* hc10 = personsPane_->footer();
    hc10->addSection(50);
    hc10->addSection(50, Qt::AlignRight);
    hc10->addSection(100, Qt::AlignLeft, QStringLiteral("0") + Records);
    hc10->addSection(125, Qt::AlignLeft, Hoofdverzekerde, markerImage(0));
    hc10->addSection(120, Qt::AlignLeft, EenheidUit);

    componentsPane_ = new ListPane(catalogue_, QStringLiteral("50"), StatementGrid::Marker::Origin,
                                   Componenten, QStringLiteral("Details|Detailgegevens premiecomponent"),
                                   QStringLiteral("Lijst|Lijst met premiecomponenten"), splitVert_);
    componentsPane_->addBar(buildComponentsBar(componentsPane_));
    componentsPane_->detail()->horizontalHeader()->setSectionResizeMode(
        QHeaderView::Interactive); // only this one resizes
    componentsPane_->detailPanel()->hide();
    FooterBar* hc50 = componentsPane_->footer();
    hc50->addSection(50, Qt::AlignLeft, Totaal);
    hc50->addSection(60, Qt::AlignRight);
    hc50->addSection(75, Qt::AlignRight);
    hc50->addSection(60, Qt::AlignLeft, Prol, markerImage(1));
    hc50->addSection(60, Qt::AlignLeft, Mut, markerImage(2));
    hc50->addSection(65, Qt::AlignLeft, Hand, markerImage(3));
    hc50->addSection(200);
    componentsPane_->hide();
    splitVert_->setSizes({312, 265});

    connect(personsPane_->grid()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { runCommand([&] { onPersonsRowChanged(current.row()); }); });
    connect(componentsPane_->grid()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (syncing_ || current.row() < 0) return;
                runCommand([&] {
                    state_.components().setRecNo(current.row());
                    componentsPane_->detail()->fillValues();
                });
            });
    connect(personsPane_->grid()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { runCommand([&] { sortPersonsByColumn(c); }); });
    connect(componentsPane_->grid()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { runCommand([&] { sortComponentsByColumn(c); }); });
    for (const bool persons : {true, false}) {
        ListPane* p = pane(persons);
        connect(p->grid()->horizontalHeader(), &QHeaderView::sectionMoved, this, // no query: stored at close
                [this, persons] { columnDragged(persons); });
        // rows the engine could not give were painted empty: say why, once per reload
        connect(p->grid()->dataModel(), &DataSetModel::readFailed, this,
                [this](const QString& text) { prompts_.error(text); });
        connect(p, &ListPane::listPressed, this, [this, persons] {
            runCommand([&] { activateGrid(persons ? GridRing::Persons : GridRing::Components); });
        });
        connect(p, &ListPane::detailPressed, this, [this, persons] {
            runCommand([&] { activateGrid(persons ? GridRing::PersonsDetail : GridRing::ComponentsDetail); });
        });
        connect(p, &ListPane::splitterMoved, this, [this] { fitDetails(); });
        p->detail()->setContextMenuPolicy(Qt::ActionsContextMenu);
        p->detail()->addAction(detailsAction(persons));
    }
    connect(splitVert_, &QSplitter::splitterMoved, this, [this] { fitDetails(); });
    setFocusProxy(editVerzZoeken_);
}

void CollectivityWindow::buildMenus() {
    menuOpties_ = new QMenu(QStringLiteral("Opties"), this);
    menuOpties_->addAction(actVeranderPeriode);
    menuOpties_->addAction(actCollDetails);
    menuOpties_->addAction(actVerzEenheid);
    menuOpties_->addAction(actToonComponenten);
    menuOpties_->addSeparator();
    menuOpties_->addAction(actToonDI10Details);
    menuOpties_->addAction(actToonSamengesteldeAchternaam);
    menuOpties_->addAction(actVeranderVeldVolgorde);
    menuOpties_->addSeparator();
    menuOpties_->addAction(actFilter);
    menuOpties_->addSeparator();
    menuOpties_->addAction(actClose);
    menuPrinten_ = new QMenu(QStringLiteral("Printen"), this);
    menuIncasso = menuPrinten_->addMenu(QStringLiteral("Te incasseren bedragen"));
    menuCorrectie = menuPrinten_->addMenu(QStringLiteral("Correctiepremies"));
    for (QMenu* m : {menuPrinten_, menuIncasso, menuCorrectie})
        connect(m, &QMenu::aboutToShow, this, &CollectivityWindow::buildMonthMenus);
    menuPrinten_->addAction(actRapEigenCriteria);
    menuPrinten_->addAction(actRapProlongatieVerschillen);
    menuExporteren_ = new QMenu(QStringLiteral("Exporteren"), this);
    menuExporteren_->addAction(actExportWizard);
    menuStatement_ = new QMenu(QStringLiteral("Bo&rderel"), this);
    menuStatement_->addMenu(menuOpties_);
    menuStatement_->addMenu(menuPrinten_);
    menuStatement_->addMenu(menuExporteren_);
}

} // namespace ostrapel
