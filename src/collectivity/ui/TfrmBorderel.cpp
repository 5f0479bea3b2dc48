#include "TfrmBorderel.h"

#include "BorderelGrid.h"
#include "FooterBar.h"
#include "MarkerImages.h"
#include "TdlgKiesAantalMaanden.h"

#include "collectivity/CollectivityTexts.h"
#include "collectivity/PeriodChoice.h"
#include "core/Connection.h"
#include "core/Prompts.h"
#include "core/Settings.h"

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

QLabel* headerLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setFixedHeight(24);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Dark));
    p.setColor(QPalette::WindowText, p.color(QPalette::BrightText));
    l->setPalette(p);
    QFont f = l->font();
    f.setPixelSize(21);
    f.setBold(true);
    l->setFont(f);
    return l;
}

// Hourglass for the length of a scope, also when a query fails.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TfrmBorderel::TfrmBorderel(Connection& connection, const TmyMemLists& catalogue, Prompts& prompts, TStaticSettings& settings,
                           QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), prompts_(prompts), settings_(settings), state_(connection, catalogue) {
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
    askPeriod = [this](const QStringList& months, const QString& current) -> std::optional<QString> {
        TdlgKiesAantalMaanden dialog(months, current, this);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.result();
    };
    resize(795, 577);
}

TfrmBorderel::~TfrmBorderel() = default;

QAction* TfrmBorderel::action(const QString& name, const QString& caption, const QString& hint) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (!hint.isEmpty()) {
        const qsizetype bar = hint.indexOf(u'|');
        a->setToolTip(bar < 0 ? hint : hint.left(bar));
        a->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    }
    addAction(a);
    return a;
}

void TfrmBorderel::buildActions() {
    actClose = action(QStringLiteral("actClose"), QStringLiteral("Sluiten"), QStringLiteral("Sluiten|Sluit deze collectiviteit af"));
    actClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(actClose, &QAction::triggered, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
        else close();
    });
    actVerzEenheid = action(QStringLiteral("actVerzEenheid"), QStringLiteral("Toon verzekeringseenheid"),
                            QStringLiteral("Toon eenheid|Toon alle verzekerden die bij verzekeringseenheid horen"));
    actVerzEenheid->setShortcut(Qt::Key_F6);
    actVerzEenheid->setCheckable(true);
    connect(actVerzEenheid, &QAction::triggered, this, [this] { ToggleUnitView(); });
    actToonComponenten = action(QStringLiteral("actToonComponenten"), QStringLiteral("Toon componenten"),
                                QStringLiteral("Toon componenten|Toon premiecomponenten bij verzekerde"));
    actToonComponenten->setShortcut(Qt::Key_F7);
    actToonComponenten->setCheckable(true);
    connect(actToonComponenten, &QAction::triggered, this, [this] { ToggleComponents(); });
    actIndividueel = action(QStringLiteral("actIndividueel"), Individueel,
                            QStringLiteral("Toon individueel|Toon premiecomponenten van individu"));
    actIndividueel->setShortcut(QKeySequence(Qt::ALT | Qt::Key_I));
    actIndividueel->setEnabled(false);
    connect(actIndividueel, &QAction::triggered, this, [this] { setMode(ComponentsQuery::Mode::Individual); });
    actGezamelijk = action(QStringLiteral("actGezamelijk"), Gezamenlijk,
                           QStringLiteral("Toon gezamenlijk|Toon de gezamenlijke premiecomponenten van een verzekeringseenheid"));
    actGezamelijk->setShortcut(QKeySequence(Qt::ALT | Qt::Key_G));
    connect(actGezamelijk, &QAction::triggered, this, [this] { setMode(ComponentsQuery::Mode::Joint); });
    actVeranderPeriode = action(QStringLiteral("actVeranderPeriode"), QStringLiteral("Verander premieactiviteit periode"),
                                QStringLiteral("Verander aantal maanden|Verander aantal maanden premieactiviteit in verzekeringseenheid"));
    connect(actVeranderPeriode, &QAction::triggered, this, [this] { ChoosePeriod(); });
    actToonSamengesteldeAchternaam = action(QStringLiteral("actToonSamengesteldeAchternaam"), QStringLiteral("Toon samengestelde achternaam"));
    actToonSamengesteldeAchternaam->setCheckable(true);
    connect(actToonSamengesteldeAchternaam, &QAction::triggered, this, [this] {
        state_.ToggleCompoundSurname();
        actToonSamengesteldeAchternaam->setChecked(state_.compoundSurname());
        refreshPersons();
    });
    actFilter = action(QStringLiteral("actFilter"), QStringLiteral("Filter"));
    actFilter->setEnabled(false); // the filter dialog arrives with its own work
}

void TfrmBorderel::buildLayout() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    splitVert = new QSplitter(Qt::Vertical, this);
    splitVert->setHandleWidth(4);
    splitVert->setChildrenCollapsible(false);
    outer->addWidget(splitVert);

    // Persons half.
    auto* top = new QWidget(splitVert);
    auto* tl = new QVBoxLayout(top);
    tl->setContentsMargins(0, 0, 0, 0);
    tl->setSpacing(0);
    lblVerzekerden = headerLabel(Verzekerden, top);
    lblPeriode = new QLabel(lblVerzekerden);
    lblPeriode->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont periodFont = font();
    periodFont.setBold(true);
    periodFont.setPointSizeF(font().pointSizeF()); // not the header's large size
    lblPeriode->setFont(periodFont);
    auto* headerRow = new QHBoxLayout(lblVerzekerden);
    headerRow->setContentsMargins(0, 0, 6, 0);
    headerRow->addStretch();
    headerRow->addWidget(lblPeriode);
    tl->addWidget(lblVerzekerden);

    auto* search = new QWidget(top);
    search->setFixedHeight(27);
    auto* sl = new QHBoxLayout(search);
    sl->setContentsMargins(4, 2, 4, 2);
    sl->addWidget(new QLabel(ZoekOp, search));
    editVerzZoeken = new QLineEdit(search);
    editVerzZoeken->setFixedWidth(160);
    editVerzZoeken->installEventFilter(this);
    connect(editVerzZoeken, &QLineEdit::textEdited, this, [this](const QString& t) {
        const int pos = editVerzZoeken->cursorPosition();
        editVerzZoeken->setText(t.toUpper()); // the box takes upper case only
        editVerzZoeken->setCursorPosition(pos);
    });
    sl->addWidget(editVerzZoeken);
    lblZoek = new QLabel(GeenZoekveld, search);
    lblZoek->setMinimumWidth(110);
    sl->addWidget(lblZoek);
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
            MovePersons(move);
            editVerzZoeken->setFocus();
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
    tl->addWidget(search);

    dbg10 = new BorderelGrid(BorderelGrid::Marker::MainInsured, top);
    dbg10->setToolTip(QStringLiteral("Lijst"));
    dbg10->setStatusTip(QStringLiteral("Lijst met verzekerden"));
    tl->addWidget(dbg10, 1);
    hc10 = new FooterBar(top);
    hc10->addSection(50);
    hc10->addSection(50, Qt::AlignRight);
    hc10->addSection(100, Qt::AlignLeft, QStringLiteral("0") + Records);
    hc10->addSection(125, Qt::AlignLeft, Hoofdverzekerde, MarkerImage(0));
    hc10->addSection(120, Qt::AlignLeft, EenheidUit);
    tl->addWidget(hc10);

    // Components half.
    pnl50Lijst = new QWidget(splitVert);
    auto* bl = new QVBoxLayout(pnl50Lijst);
    bl->setContentsMargins(0, 0, 0, 0);
    bl->setSpacing(0);
    lblComponenten = headerLabel(Componenten, pnl50Lijst);
    bl->addWidget(lblComponenten);
    auto* bar = new QToolBar(pnl50Lijst);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setIconSize(QSize(16, 16));
    auto* opties = new QToolButton(bar);
    opties->setText(QStringLiteral("Opties"));
    opties->setPopupMode(QToolButton::InstantPopup);
    auto* optMenu = new QMenu(opties);
    QMenu* toonMenu = optMenu->addMenu(QStringLiteral("Toon componenten"));
    toonMenu->addAction(actIndividueel);
    QAction* joint = toonMenu->addAction(Gezamenlijk); // the menu says "Gezamenlijk"
    connect(joint, &QAction::triggered, actGezamelijk, &QAction::trigger);
    connect(actGezamelijk, &QAction::enabledChanged, joint, &QAction::setEnabled);
    optMenu->addSeparator();
    optMenu->addAction(QStringLiteral("Toon premie details"))->setEnabled(false);
    optMenu->addAction(QStringLiteral("Verander veld volgorde"))->setEnabled(false);
    opties->setMenu(optMenu);
    bar->addWidget(opties);
    bar->addSeparator();
    struct Drop {
        QToolButton** button;
        const char* caption;
        const char* hint;
    } drops[] = {{&tbtnHerkomst, "Herkomst", "Filter herkomst|Filter premiecomponenten op herkomst"},
                 {&tbtnSoort, "Soort", "Filter soort|Filter premiecomponenten op soort"},
                 {&tbtnComponent, "Premie component", "Filter premiecomponent|Filter premiecomponenten op premiecomponent"}};
    for (const Drop& d : drops) {
        auto* b = new QToolButton(bar);
        b->setText(QString::fromUtf8(d.caption));
        const QString hint = QString::fromUtf8(d.hint);
        b->setToolTip(hint.section(u'|', 0, 0));
        b->setStatusTip(hint.section(u'|', 1));
        b->setPopupMode(QToolButton::InstantPopup);
        bar->addWidget(b);
        *d.button = b;
    }
    bl->addWidget(bar);
    dbg50 = new BorderelGrid(BorderelGrid::Marker::Origin, pnl50Lijst);
    dbg50->setToolTip(QStringLiteral("Lijst"));
    dbg50->setStatusTip(QStringLiteral("Lijst met premiecomponenten"));
    bl->addWidget(dbg50, 1);
    hc50 = new FooterBar(pnl50Lijst);
    hc50->addSection(50, Qt::AlignLeft, Totaal);
    hc50->addSection(60, Qt::AlignRight);
    hc50->addSection(75, Qt::AlignRight);
    hc50->addSection(60, Qt::AlignLeft, Prol, MarkerImage(1));
    hc50->addSection(60, Qt::AlignLeft, Mut, MarkerImage(2));
    hc50->addSection(65, Qt::AlignLeft, Hand, MarkerImage(3));
    hc50->addSection(200);
    bl->addWidget(hc50);
    pnl50Lijst->hide();
    splitVert->setSizes({312, 265});

    connect(dbg10->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { onPersonsRowChanged(current.row()); });
    connect(dbg10->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) { SortPersonsByColumn(c); });
    connect(dbg50->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) { SortComponentsByColumn(c); });
    for (BorderelGrid* g : {dbg10, dbg50})
        connect(g, &QAbstractItemView::clicked, this, [this] { editVerzZoeken->setFocus(); });
    setFocusProxy(editVerzZoeken);
}

void TfrmBorderel::buildMenus() {
    menuOpties_ = new QMenu(QStringLiteral("Opties"), this);
    menuOpties_->addAction(actVeranderPeriode);
    menuOpties_->addAction(QStringLiteral("Toon collectiviteit-gegevens"))->setEnabled(false);
    menuOpties_->addAction(actVerzEenheid);
    menuOpties_->addAction(actToonComponenten);
    menuOpties_->addSeparator();
    menuOpties_->addAction(QStringLiteral("Toon verzekerden details"))->setEnabled(false);
    menuOpties_->addAction(actToonSamengesteldeAchternaam);
    menuOpties_->addAction(QStringLiteral("Verander veld volgorde"))->setEnabled(false);
    menuOpties_->addSeparator();
    menuOpties_->addAction(actFilter);
    menuOpties_->addSeparator();
    menuOpties_->addAction(actClose);
    // Reports and export arrive with their own work; their places are kept.
    menuPrinten_ = new QMenu(QStringLiteral("Printen"), this);
    for (const char* item : {"Te incasseren bedragen", "Correctiepremies", "Selectie eigen criteria", "Bereken prolongatieverschillen"})
        menuPrinten_->addAction(QString::fromUtf8(item))->setEnabled(false);
    menuExporteren_ = new QMenu(QStringLiteral("Exporteren"), this);
    menuExporteren_->addAction(QStringLiteral("Excel export wizard ..."))->setEnabled(false);
    menuBorderel_ = new QMenu(QStringLiteral("Bo&rderel"), this);
    menuBorderel_->addMenu(menuOpties_);
    menuBorderel_->addMenu(menuPrinten_);
    menuBorderel_->addMenu(menuExporteren_);
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

void TfrmBorderel::SetIdentity(int collNr, int collVolgNr, int verzType) { state_.setIdentity(collNr, collVolgNr, verzType); }

void TfrmBorderel::loadWindowState() {
    const QString section = WindowSection(windowKey());
    TStaticSettings& s = settings_;
    if (QWidget* frame = parentWidget()) {
        if (frame->width() < 795 || frame->height() < 577) frame->resize(795, 577); // the form's own size at first
        if (s.ReadBool(Keys::Maximized, frame->isMaximized(), section)) {
            frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
        } else {
            const QRect g = frame->geometry();
            frame->setGeometry(s.ReadInteger(Keys::Left, g.left(), section), s.ReadInteger(Keys::Top, g.top(), section),
                               s.ReadInteger(Keys::Width, g.width(), section), s.ReadInteger(Keys::Height, g.height(), section));
        }
    }
    state_.fieldOrder10 = s.ReadString(Keys::FieldOrder10, state_.fieldOrder10, section);
    state_.fieldOrder50 = s.ReadString(Keys::FieldOrder50, state_.fieldOrder50, section);
    state_.sortField10 = s.ReadString(Keys::IndexField10, state_.sortField10, section);
    if (state_.sortField10.isEmpty()) state_.sortField10 = QStringLiteral("1002");
    state_.sortField50 = s.ReadString(Keys::IndexField50, state_.sortField50, section);
    state_.setPeriodSetting(s.ReadString(Keys::PeriodKey(verzType()), state_.periodSetting(), section));

    state_.Initialise();
    initialised_ = true;
    lblPeriode->setText(state_.periodDescription());
    buildDropDownMenus();
    refreshPersons();

    const QString comp[3] = {Keys::CompHerkomst, Keys::CompSoort, Keys::CompComponent};
    for (int f = 0; f < 3; ++f) {
        const auto filter = ComponentsQuery::Filter(f);
        state_.SetStoredDropDownText(filter, s.ReadString(comp[f], state_.dropDown(filter).checkedText(), section));
        const QList<QAction*> entries = dropDownMenus_[f]->actions();
        if (state_.dropDown(filter).checked() < entries.size()) entries[state_.dropDown(filter).checked()]->setChecked(true);
    }
    setMode(s.ReadString(Keys::ComponentStaat, state_.componentsQuery().modeLetter(), section) == QStringLiteral("G")
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
    s.WriteString(Keys::FieldOrder10, state_.fieldOrder10, section);
    s.WriteString(Keys::FieldOrder50, state_.fieldOrder50, section);
    s.WriteString(Keys::IndexField10, state_.sortField10, section);
    s.WriteString(Keys::IndexField50, state_.sortField50, section);
    s.WriteBool(Keys::ToonComponenten, state_.componentsShown(), section);
    s.WriteString(Keys::PeriodKey(verzType()), state_.periodSetting(), section);
    s.WriteString(Keys::ComponentStaat, state_.componentsQuery().modeLetter(), section);
    const QString comp[3] = {Keys::CompHerkomst, Keys::CompSoort, Keys::CompComponent};
    for (int f = 0; f < 3; ++f) s.WriteString(comp[f], state_.dropDown(ComponentsQuery::Filter(f)).checkedText(), section);
    s.SetSamengesteldeAchternaam(state_.compoundSurname());
}

void TfrmBorderel::closeEvent(QCloseEvent* event) {
    if (!saved_) {
        saveWindowState();
        saved_ = true;
    }
    event->accept();
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
    refreshComponents();
    refreshFooters();
}

void TfrmBorderel::refreshComponents() {
    if (!state_.componentsShown()) return;
    dbg50->setColumns(&state_.components(), state_.componentsColumns());
    dbg50->setSortField(state_.sortField50);
    dbg50->refresh();
    hc50->setText(1, state_.totalText());
    hc50->setText(2, state_.componentsCountText());
    hc50->setText(6, state_.componentsFooterText());
}

void TfrmBorderel::refreshFooters() {
    hc10->setText(2, state_.recordCountText());
    hc10->setText(4, state_.unitFooterText());
}

void TfrmBorderel::onPersonsRowChanged(int row) {
    if (syncing_ || row < 0) return;
    state_.persons().setRecNo(row);
    state_.FollowCursor();
    refreshComponents();
}

void TfrmBorderel::MovePersons(int rows) {
    DataSet& p = state_.persons();
    if (p.isEmpty()) return;
    p.moveBy(rows);
    syncing_ = true;
    dbg10->showCurrentRow();
    syncing_ = false;
    state_.FollowCursor();
    refreshComponents();
}

void TfrmBorderel::Search() {
    BusyCursor busy;
    state_.Search(editVerzZoeken->text());
    refreshPersons();
}

void TfrmBorderel::SortPersonsByColumn(int column) {
    const QString field = dbg10->fieldOfColumn(column);
    if (!field.isEmpty() && state_.SortPersonsBy(field)) refreshPersons();
    editVerzZoeken->setFocus();
}

void TfrmBorderel::SortComponentsByColumn(int column) {
    const QString field = dbg50->fieldOfColumn(column);
    if (!field.isEmpty() && state_.SortComponentsBy(field)) refreshComponents();
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

void TfrmBorderel::setPausedLook(bool paused) {
    QPalette p = dbg50->palette();
    p.setColor(QPalette::Base, paused ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
    p.setColor(QPalette::Text, paused ? palette().color(QPalette::Dark) : palette().color(QPalette::Text));
    dbg50->setPalette(p);
}

bool TfrmBorderel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editVerzZoeken) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!state_.sortField10.isEmpty()) Search();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            if (!tmrDisableGrids.isActive() && !state_.paused()) tmrDisableGrids.start();
            const int step = key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown ? 10 : 1;
            MovePersons(key->key() == Qt::Key_Up || key->key() == Qt::Key_PageUp ? -step : step);
            return true;
        }
        default:
            break;
        }
    } else if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        tmrDisableGrids.stop();
        if (state_.paused()) {
            state_.setPaused(false);
            setPausedLook(false);
            refreshComponents();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ostrapel
