#include "MainWindow.h"

#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"
#include "widgets/GuardedCommand.h"
#include "widgets/ProgressWindow.h"

#include "ChildPlacement.h"
#include "CollectivityChooserDialog.h"
#include "HelpWindow.h"
#include "MaintenanceCheck.h"
#include "MaintenanceCommands.h"
#include "ProgramHost.h"
#include "ShellTexts.h"
#include "SplashDialog.h"
#include "collectivity/CollectivityChild.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "reports/ui/CollectivityReports.h"

#include "core/DatabaseError.h"
#include "core/Desktop.h"
#include "core/OstrapelError.h"
#include "core/Paths.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/SqlFragments.h"
#include "core/StatementDatabase.h"
#include "core/TextHelpers.h"
#include "import/ImportCommand.h"
#include "import/ui/ImportDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace ostrapel {

using namespace ShellTexts;

namespace {

// Hourglass and a frozen child area for the length of a scope, also on errors.
class BusyPainting {
public:
    explicit BusyPainting(QWidget* w) : w_(w) { w_->setUpdatesEnabled(false); }
    ~BusyPainting() { w_->setUpdatesEnabled(true); }

private:
    BusyCursor busy_;
    QWidget* w_;
};

CollectivityChild* childOf(QMdiSubWindow* sub) {
    return sub ? dynamic_cast<CollectivityChild*>(sub->widget()) : nullptr;
}

} // namespace

MainWindow::MainWindow(StatementDatabase& dataModule, Settings& settings, const ShellServices& services,
                       QWidget* parent)
    : QMainWindow(parent), dm_(dataModule), settings_(settings), prompts_(services.prompts),
      printer_(services.printer), desktop_(services.desktop), dialogs_(services.dialogs),
      host_(services.host), mdi_(new QMdiArea(this)) {
    collectivityReports_ =
        std::make_unique<CollectivityReports>(catalogue_, settings_, prompts_, printer_, desktop_);
    windowFactory_ = [this](const CollectivityItem& item, const QString& caption) -> QWidget* {
        auto* w = new CollectivityWindow(dm_.connection(), catalogue_, prompts_, printer_, desktop_, dialogs_,
                                         settings_, *collectivityReports_);
        w->setWindowTitle(caption);
        w->setIdentity(item.collectivity, item.insuranceType);
        w->statusCallback = [this](const QString& text) { dm_.showSplashStatus(text); };
        return w;
    };
    maintenance_ = std::make_unique<MaintenanceCheck>(
        prompts_, [this] { return host_.onNetworkFileSystem(); },
        [this] { return collectivityWindowCount(); }, [this] { return closeCollectivityWindows(); });
    MaintenanceCommands::Hooks hooks{{[this](const QString& w) { return confirmMaintenance(w); },
                                      [this] { return collectivityWindowCount(); }},
                                     [this] { rebuildOpenList(); },
                                     [this](const QString& text) { lblStatus_->setText(text); }};
    commands_ = std::make_unique<MaintenanceCommands>(this, dm_, settings_, services, std::move(hooks));
    commands_->programFile = QCoreApplication::applicationFilePath();

    setWindowTitle(AppTitle);
    setCentralWidget(mdi_);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    buildActions();
    buildMenus();
    buildToolBar();
    statusBar()->showMessage(QString());
    lblStatus_ = new QLabel(statusBar());
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    statusBar()->addWidget(lblStatus_, 1);
    setAcceptDrops(true);
    connect(mdi_, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* w) { followActiveWindow(w ? 1 : 0); });

    // Start-up steps of the main window, in order.
    dm_.repairCatalogueAndIndex();
    followActiveWindow(0);
    commands_->writeProgramInfo();
    settings_.setThousandSeparator(QStringLiteral("."));
    settings_.setDecimalSeparator(QStringLiteral(","));
    settings_.createProgramFolders();
    restoreGeometryFromSettings();
    dm_.checkDatabaseVersion();
    if (!commands_->runUpdateScripts()) {
        startupRefused_ = true;
        return;
    }
    catalogue_.load(dm_.connection());
    rebuildOpenList();
}

MainWindow::~MainWindow() {
    // The child windows go first, while this window is still whole: their
    // destruction notifies it (closed windows may still wait for deletion).
    closing_ = true;
    disconnect(mdi_, nullptr, this, nullptr);
    delete mdi_;
}

QAction* MainWindow::makeAction(const QString& name, const QString& caption, const QString& hint) {
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    if (!hint.isEmpty()) {
        a->setToolTip(shortHint(hint));
        a->setStatusTip(longHint(hint));
    }
    actions_ << a;
    return a;
}

QAction* MainWindow::action(const QString& objectName) const {
    for (QAction* a : actions_)
        if (a->objectName() == objectName) return a;
    return nullptr;
}

void MainWindow::runCommand(const std::function<void()>& command) {
    runGuarded(prompts_, command);
}

void MainWindow::buildActions() {
    QStyle* s = style();
    QAction* a = makeAction(QStringLiteral("ActionImporteren"), ImportCommandTexts::ActionCaption,
                            ImportCommandTexts::ActionHint);
    a->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    connect(a, &QAction::triggered, this, [this] { runCommand([this] { importFiles(); }); });

    actKiesColl = makeAction(QStringLiteral("actKiesColl"), Openen, HintOpen);
    connect(actKiesColl, &QAction::triggered, this, [this] { runCommand([this] { runChooser(); }); });

    a = makeAction(QStringLiteral("actClose"), Sluiten);
    a->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    connect(a, &QAction::triggered, this, &QWidget::close);

    // Keys without a menu entry of their own: they act on the active collectivity window.
    a = makeAction(QStringLiteral("actZoeken"), QString());
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    addAction(a);
    connect(a, &QAction::triggered, this, [this] {
        if (CollectivityChild* c = activeChild()) c->focusSearch();
    });
    a = makeAction(QStringLiteral("actVernieuwen"), QString());
    a->setShortcut(QKeySequence(Qt::Key_F5));
    addAction(a);
    connect(a, &QAction::triggered, this, [this] {
        runCommand([this] {
            if (CollectivityChild* c = activeChild()) c->reload();
            rebuildOpenList(); // a collectivity imported elsewhere appears as well
        });
    });

    for (const auto& [name, caption, hint, command] :
         {std::tuple{QStringLiteral("ActionSchonen"), Schonen, HintSchonen,
                     &MaintenanceCommands::cleanDatabase},
          std::tuple{QStringLiteral("actDatabaseBackup"), Backup, QString(),
                     &MaintenanceCommands::backupDatabase},
          std::tuple{QStringLiteral("ActionSysInfo"), SysInfo, HintSysInfo,
                     &MaintenanceCommands::showSystemInfo}}) {
        a = makeAction(name, caption, hint);
        connect(a, &QAction::triggered, this,
                [this, command] { runCommand([this, command] { (*commands_.*command)(); }); });
    }
    a = makeAction(QStringLiteral("actCompactAndRepair"), Comprimeren);
    connect(a, &QAction::triggered, this, [this] { runCommand([this] { commands_->compactAndRepair(); }); });

    a = makeAction(QStringLiteral("actTerugNaarStandaardInstellingen"), Standaard);
    connect(a, &QAction::triggered, this, [this] { restoreDefaults(); });

    a = makeAction(QStringLiteral("actTileHor"), TileHor);
    connect(a, &QAction::triggered, this, [this] { tile(true); });
    a = makeAction(QStringLiteral("actTileVert"), TileVert);
    connect(a, &QAction::triggered, this, [this] { tile(false); });
    a = makeAction(QStringLiteral("actCascade"), Cascade);
    connect(a, &QAction::triggered, mdi_, &QMdiArea::cascadeSubWindows);

    a = makeAction(QStringLiteral("actToolbarMainMenuTonen"), ToonHoofdbalk);
    a->setCheckable(true);
    connect(a, &QAction::toggled, this, [this] { applyToolbarVisibility(); });

    a = makeAction(QStringLiteral("actAllesSluiten"), AllesSluiten);
    connect(a, &QAction::triggered, mdi_, &QMdiArea::closeAllSubWindows);

    a = makeAction(QStringLiteral("ActionHelp"), HelpInhoud, HintHelp);
    a->setIcon(s->standardIcon(QStyle::SP_DialogHelpButton));
    connect(a, &QAction::triggered, this, [this] { runCommand([this] { showHelp(); }); });

    a = makeAction(QStringLiteral("ActionAbout"), About, HintAbout);
    connect(a, &QAction::triggered, this, [this] {
        SplashDialog about(SplashDialog::Mode::About, this);
        about.exec();
    });
}

// "Boven elkaar" stacks the child windows top to bottom, "Naast elkaar" side by side.
void MainWindow::tile(bool aboveEachOther) {
    const auto windows = mdi_->subWindowList();
    if (windows.isEmpty()) return;
    const QSize area = mdi_->viewport()->size();
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        windows[i]->showNormal();
        if (aboveEachOther)
            windows[i]->setGeometry(0, i * (area.height() / n), area.width(), area.height() / n);
        else
            windows[i]->setGeometry(i * (area.width() / n), 0, area.width() / n, area.height());
    }
}

void MainWindow::buildMenus() {
    miBestand = menuBar()->addMenu(MenuBestand);
    miBestand->addAction(action(QStringLiteral("ActionImporteren")));
    miOpenen = new QMenu(Openen, this);
    miOpenen->setObjectName(QStringLiteral("miOpenen"));
    miOpenenAction = miBestand->addMenu(miOpenen);
    miOpenenAction->setStatusTip(longHint(HintOpen));
    miBestand->addAction(actKiesColl);
    miBestand->addSeparator();
    miBestand->addAction(action(QStringLiteral("actClose")));

    miOnderhoud = menuBar()->addMenu(MenuOnderhoud);
    for (const char* name :
         {"ActionSchonen", "actCompactAndRepair", "actDatabaseBackup", "actTerugNaarStandaardInstellingen"})
        miOnderhoud->addAction(action(QString::fromLatin1(name)));

    miWindow = menuBar()->addMenu(MenuVenster);
    connect(miWindow, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    fillWindowMenu();

    miHelp = menuBar()->addMenu(MenuHelp);
    miHelp->addAction(action(QStringLiteral("ActionHelp")));
    miHelp->addSeparator();
    miHelp->addAction(action(QStringLiteral("ActionSysInfo")));
    miHelp->addAction(action(QStringLiteral("ActionAbout")));
}

void MainWindow::fillWindowMenu() {
    miWindow->clear();
    for (const char* name : {"actTileHor", "actTileVert", "actCascade"})
        miWindow->addAction(action(QString::fromLatin1(name)));
    miWindow->addSeparator();
    miWindow->addAction(action(QStringLiteral("actToolbarMainMenuTonen")));
    miWindow->addSeparator();
    miWindow->addAction(action(QStringLiteral("actAllesSluiten")));
    const auto windows = mdi_->subWindowList();
    if (!windows.isEmpty()) miWindow->addSeparator();
    int n = 0;
    for (QMdiSubWindow* w : windows) {
        QAction* a = miWindow->addAction(QStringLiteral("&%1 %2").arg(++n).arg(menuText(w->windowTitle())));
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w] { mdi_->setActiveSubWindow(w); });
    }
}

void MainWindow::buildToolBar() {
    tbrMainMenu = new QToolBar(QStringLiteral("tbrMainMenu"), this);
    tbrMainMenu->setObjectName(QStringLiteral("tbrMainMenu"));
    tbrMainMenu->setMovable(false);
    tbrMainMenu->setIconSize(QSize(18, 18));
    tbrMainMenu->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBar(Qt::TopToolBarArea, tbrMainMenu);
    QStyle* s = style();
    auto button = [&](const QString& name, const QString& caption, QStyle::StandardPixmap icon,
                      bool dropDown) {
        auto* b = new QToolButton(tbrMainMenu);
        b->setObjectName(name);
        b->setText(caption);
        b->setIcon(s->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setStyleSheet(QStringLiteral("QToolButton { padding-left: 2px; padding-right: 2px; }"));
        // 80 pixels as designed, wider where this desktop's font or the drop-down arrow needs it
        b->setFixedWidth(
            std::max(80, b->fontMetrics().horizontalAdvance(caption) + 18 + 14 + (dropDown ? 12 : 0)));
        tbrMainMenu->addWidget(b);
        return b;
    };
    tbtnStatementMany = button(QStringLiteral("tbtnBorderelMany"), ToolOpenen, QStyle::SP_DirOpenIcon, true);
    tbtnStatementMany->setStatusTip(longHint(HintOpen));
    connect(tbtnStatementMany, &QToolButton::clicked, this, [this] {
        if (!tbtnStatementMany->menu()) runCommand([this] { runChooser(); });
    });
    tbnFilter = button(QStringLiteral("tbnFilter"), ToolFilter, QStyle::SP_FileDialogContentsView, false);
    tbnPrint = button(QStringLiteral("tbnPrint"), ToolPrint, QStyle::SP_FileDialogDetailedView, true);
    tbnImporteren = button(QStringLiteral("tbnImporteren"), ToolImport, QStyle::SP_ArrowDown, false);
    tbnImporteren->setStatusTip(longHint(ImportCommandTexts::ActionHint));
    connect(tbnImporteren, &QToolButton::clicked, action(QStringLiteral("ActionImporteren")),
            &QAction::trigger);
    tbnExport = button(QStringLiteral("tbnExport"), ToolExport, QStyle::SP_DialogSaveButton, true);
    tbnVerzOpties = button(QStringLiteral("tbnVerzOpties"), ToolOpties, QStyle::SP_FileDialogListView, true);
    connect(tbnFilter, &QToolButton::clicked, this, [this] {
        if (CollectivityChild* c = activeChild(); c && c->filterAction()) c->filterAction()->trigger();
    });
}

QList<QToolButton*> MainWindow::collectivityButtons() const {
    return {tbnFilter, tbnPrint, tbnExport, tbnVerzOpties};
}

void MainWindow::restoreGeometryFromSettings() {
    QAction* toolbar = action(QStringLiteral("actToolbarMainMenuTonen"));
    toolbar->setChecked(settings_.toolbarMainMenuVisible());
    recent_.load(settings_.mruList());
    if (settings_.maximized()) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    resize(settings_.mainFormWidth(), settings_.mainFormHeight());
    const int top = settings_.mainFormTop(), left = settings_.mainFormLeft();
    if (top == -1 || left == -1) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    } else {
        // The client area, as stored at close: a move() would place the frame
        // there and the window would creep down by its title bar at every start.
        setGeometry(left, top, width(), height());
    }
}

void MainWindow::applyToolbarVisibility() {
    tbrMainMenu->setVisible(action(QStringLiteral("actToolbarMainMenuTonen"))->isChecked());
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) applyToolbarVisibility();
}

void MainWindow::showAtStart() {
    if (windowState() & Qt::WindowMaximized)
        showMaximized();
    else
        show();
    if (!shown_) {
        shown_ = true;
        reopenWindows();
        dm_.showSplashStatus(QString());
    }
    applyToolbarVisibility();
}

void MainWindow::reopenWindows() {
    for (const QString& key : readCommaText(settings_.openMDIWindows())) {
        const CollectivityKey k = CollectivityKey::fromWindowKey(key);
        dm_.showSplashStatus(
            OpeningStatus.arg(k.number, 4, 10, QChar(u'0')).arg(k.sequence, 3, 10, QChar(u'0')));
        CollectivityItem item;
        if (!collectivityCaptionRow(dm_.connection(), k, &item)) continue; // gone: nothing opens
        runCommand([&] { openCollectivity(item, true); });
    }
}

void MainWindow::rebuildOpenList() {
    miOpenen->clear();
    const OpenListContent content = buildOpenList(dm_.connection(), recent_);
    const bool any = content.mode != OpenListContent::Mode::Hidden;
    const bool chooserOnly = content.mode == OpenListContent::Mode::Chooser;
    for (QAction* a : tbrMainMenu->actions())
        if (tbrMainMenu->widgetForAction(a) == tbtnStatementMany) a->setVisible(any);
    miOpenenAction->setVisible(any && !chooserOnly);
    actKiesColl->setVisible(chooserOnly);
    action(QStringLiteral("ActionSchonen"))->setVisible(any);
    if (!any) return;
    for (const CollectivityItem& item : content.items) {
        QAction* a = miOpenen->addAction(menuText(item.caption()));
        connect(a, &QAction::triggered, this,
                [this, item] { runCommand([&] { openCollectivity(item, false); }); });
    }
    if (content.mode == OpenListContent::Mode::Recent) {
        miOpenen->addSeparator();
        QAction* more = miOpenen->addAction(Meer);
        connect(more, &QAction::triggered, this, [this] { runCommand([this] { runChooser(); }); });
    }
    tbtnStatementMany->setMenu(chooserOnly ? nullptr : miOpenen);
    tbtnStatementMany->setPopupMode(chooserOnly ? QToolButton::DelayedPopup : QToolButton::InstantPopup);
}

void MainWindow::runChooser() {
    CollectivityChooserDialog chooser(listCollectivities(dm_.connection()), this);
    if (chooser.exec() != QDialog::Accepted) return;
    openCollectivity(chooser.chosen(), false);
}

QMdiSubWindow* MainWindow::findWindow(CollectivityKey collectivity, InsuranceType type) const {
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (CollectivityChild* c = childOf(w);
            c && c->collectivity() == collectivity && c->insuranceType() == type)
            return w;
    return nullptr;
}

void MainWindow::openCollectivity(const CollectivityItem& item, bool check) {
    const QString caption = item.caption();
    if (check) {
        bool exists = false;
        try {
            exists = dm_.collectivityExists(item.collectivity, item.insuranceType);
        } catch (const DatabaseError& e) {
            prompts_.error(errorMessage(e));
            return;
        }
        if (!exists) return;
    }
    if (QMdiSubWindow* existing = findWindow(item.collectivity, item.insuranceType)) {
        if (existing->isMinimized()) existing->showNormal();
        mdi_->setActiveSubWindow(existing);
    } else {
        BusyPainting busy(mdi_);
        QWidget* child = windowFactory_(item, caption);
        child->setWindowTitle(caption);
        QMdiSubWindow* sub = mdi_->addSubWindow(child);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        if (CollectivityChild* c = childOf(sub)) c->loadWindowState();
        connect(sub, &QObject::destroyed, this, [this] {
            if (!closing_) rebuildOpenList();
        });
        sub->show();
        if (!sub->isMaximized()) sub->setGeometry(placeInside(sub->geometry(), mdi_->viewport()->rect()));
        mdi_->setActiveSubWindow(sub);
        followActiveWindow(1);
    }
    recent_.touch(item.collectivity.windowKey());
}

CollectivityChild* MainWindow::activeChild() const {
    return childOf(mdi_->activeSubWindow());
}

int MainWindow::collectivityWindowCount() const {
    int n = 0;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        n += childOf(w) ? 1 : 0;
    return n;
}

bool MainWindow::closeCollectivityWindows() {
    const auto windows = mdi_->subWindowList();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (!childOf(*it)) continue;
        if (!(*it)->close()) return false;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return collectivityWindowCount() == 0;
}

void MainWindow::followActiveWindow(int state) {
    CollectivityChild* child = state == 1 ? activeChild() : nullptr;
    if (state == 1 && !child) return;
    if (actStatementMenu) {
        menuBar()->removeAction(actStatementMenu);
        actStatementMenu = nullptr;
    }
    tbnPrint->setMenu(child ? child->reportMenu() : nullptr);
    tbnExport->setMenu(child ? child->exportMenu() : nullptr);
    tbnVerzOpties->setMenu(child ? child->optionsMenu() : nullptr);
    for (QToolButton* b : {tbnPrint, tbnExport, tbnVerzOpties})
        b->setPopupMode(QToolButton::InstantPopup);
    for (QToolButton* b : collectivityButtons())
        b->setEnabled(child != nullptr);
    // Ctrl+X closes the active collectivity window, else the program; Ctrl+Q always the program.
    QList<QKeySequence> closeKeys{QKeySequence(Qt::CTRL | Qt::Key_Q)};
    if (!child) closeKeys.prepend(QKeySequence(Qt::CTRL | Qt::Key_X));
    action(QStringLiteral("actClose"))->setShortcuts(closeKeys);
    if (!child) return;
    if (QMenu* menu = child->statementMenu()) {
        actStatementMenu = menu->menuAction();
        menuBar()->insertAction(miOnderhoud->menuAction(), actStatementMenu);
    }
    activeWindowKey_ = child->windowKey();
}

bool MainWindow::confirmMaintenance(const QString& word) {
    return maintenance_->confirmMaintenance(word);
}

void MainWindow::importFiles() {
    importFiles({});
}

// With no files, the command's file dialog chooses them.
void MainWindow::importFiles(const QStringList& files) {
    ImportCommandHooks hooks;
    hooks.confirmMaintenance = [this](const QString& word) { return confirmMaintenance(word); };
    hooks.openWindowCount = [this] { return collectivityWindowCount(); };
    hooks.runImportDialog = [this](const QString& single, const QStringList& names) {
        ImportDialog dialog(dm_.connection(), catalogue_, prompts_, dm_.getDatabaseVersion(),
                            settings_.importDir(), this);
        if (!single.isEmpty())
            dialog.setSingleFile(single);
        else
            dialog.setFileList(names);
        dialogs_.run(dialog);
    };
    hooks.convertToEuro = [this] {
        ProgressWindow progress(this);
        dm_.convertToEuro(progress);
    };
    hooks.rebuildOpenList = [this] { rebuildOpenList(); };
    hooks.showStatus = [this](const QString& text) {
        statusBar()->showMessage(text);
        statusBar()->repaint(); // the wait that follows blocks the event loop
    };
    ImportCommand command(settings_, prompts_, hooks);
    if (files.isEmpty())
        command.actionImporterenExecute();
    else
        command.importFiles(files);
}

void MainWindow::importDroppedFiles(const QStringList& files) {
    if (!files.isEmpty()) importFiles(files); // none: no file dialog either
}

void MainWindow::showHelp() {
    const QString path = settings_.helpDir() + HelpFileName;
    if (!QFileInfo(path).isFile()) {
        prompts_.error(HelpNotFound.arg(QDir::toNativeSeparators(path)));
        return;
    }
    // A desktop without a program for the file says so only through this answer.
    if (desktop_.openUrl(QUrl::fromLocalFile(path))) return;
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    helpWindow_->showFile(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (!ImportCommand::importableFiles(paths).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    const QStringList files = ImportCommand::importableFiles(paths);
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    // After the drop has ended: the drag source is not kept waiting for the import.
    QTimer::singleShot(0, this, [this, files] { runCommand([this, files] { importDroppedFiles(files); }); });
}

void MainWindow::restoreDefaults() {
    if (prompts_.askYesNo(MsgType::Warning, AskRestoreDefaults)) {
        settings_.restoreDefaultsOnExit = true;
        close();
    } else {
        settings_.restoreDefaultsOnExit = false;
    }
}

void MainWindow::bringToFront() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void MainWindow::saveSettings() {
    settings_.setMaximized(isMaximized());
    settings_.setToolbarMainMenuVisible(action(QStringLiteral("actToolbarMainMenuTonen"))->isChecked());
    // the client area, as restored
    const QRect g = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    settings_.setMainFormWidth(g.width());
    settings_.setMainFormHeight(g.height());
    settings_.setMainFormTop(g.top());
    settings_.setMainFormLeft(g.left());
    settings_.setMRUList(recent_.toCommaText());
    QString open;
    if (CollectivityChild* c = childOf(mdi_->currentSubWindow()))
        open = c->windowKey();
    else if (collectivityWindowCount() > 0)
        open = activeWindowKey_;
    settings_.setOpenMDIWindows(open);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!prompts_.askYesNo(MsgType::Confirmation, AskClose)) {
        event->ignore();
        return;
    }
    saveSettings();
    closing_ = true;
    closeCollectivityWindows();
    dm_.databaseCheckReminder(QDateTime::currentDateTime(), [this] { return commands_->compactAndRepair(); });
    event->accept();
}

} // namespace ostrapel
