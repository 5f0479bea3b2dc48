// The main window offscreen, answered through the prompts facade.
#include "shell/MainWindow.h"
#include "MemoryPasswordStore.h"
#include "ModalDialogs.h"
#include "RecordingPrinter.h"
#include "SampleGenerator.h"
#include "Screenshots.h"
#include "ScriptedDesktop.h"
#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "collectivity/ui/ListPane.h"
#include "collectivity/ui/StatementGrid.h"
#include "core/IniFile.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/StatementDatabase.h"
#include "import/ImportOverview.h"
#include "import/ui/ImportDialog.h"
#include "shell/AppIcon.h"
#include "shell/ChildPlacement.h"
#include "shell/CollectivityChooserDialog.h"
#include "shell/HelpWindow.h"
#include "shell/MaintenanceCheck.h"
#include "shell/QtPrompts.h"
#include "shell/ShellServices.h"
#include "shell/ShellTexts.h"
#include "shell/SplashDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using namespace ostrapel;
using namespace ostrapel::ShellTexts;

namespace {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        settings = std::make_unique<Settings>(dir.path());
        dm = std::make_unique<StatementDatabase>(*settings, prompts, passwords);
        ASSERT_TRUE(dm->startUp());
    }
    void TearDown() override {
        window.reset();
        dm.reset();
        settings.reset();
    }
    // A collectivity with one insured person of the given types.
    void collectivity(int nr, const QString& name, const QStringList& types = {QStringLiteral(" ")}) {
        Connection& c = dm->connection();
        c.execute(
            QStringLiteral("insert into bord00 (ID01, ID02, ID03, [0003]) values (:n, 1, '2006-01', :name)"),
            {{QStringLiteral("n"), nr}, {QStringLiteral("name"), name}});
        for (const QString& t : types)
            c.execute(
                QStringLiteral(
                    "insert into bord10 (ID01, ID02, ID03, ID07, [1024]) values (:n, 1, '2006-01', 'K', :t)"),
                {{QStringLiteral("n"), nr}, {QStringLiteral("t"), t}});
    }
    MainWindow& open() {
        window = std::make_unique<MainWindow>(*dm, *settings,
                                              ShellServices{prompts, printer, desktop, dialogs, host});
        window->showAtStart();
        return *window;
    }
    // The import dialog, when it runs, is driven by `drive`.
    void answerImport(std::function<void(ImportDialog&)> drive) {
        dialogs.answer = [drive = std::move(drive)](QDialog& d) {
            drive(dynamic_cast<ImportDialog&>(d));
            return d.result();
        };
    }
    QStringList menuTexts(QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    // Closes the window answering the close question.
    void closeWindow(MsgButton answer) {
        prompts.answers.push_back(answer);
        window->close();
    }

    test::TestProgramDir dir;
    test::ScriptedPrompts prompts;
    test::RecordingPrinter printer;
    test::ScriptedDesktop desktop;
    test::MemoryPasswordStore passwords;
    std::unique_ptr<Settings> settings;
    std::unique_ptr<StatementDatabase> dm;
    std::unique_ptr<MainWindow> window;
    test::ScriptedDialogs dialogs;
    test::ScriptedHost host;
};

} // namespace

TEST_F(MainWindowFixture, FirstStartUsesTheDefaults) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Ostrapel"));
    EXPECT_EQ(w.size(), QSize(640, 400));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(w.geometry().center().x() - screen.center().x()), 2);
    EXPECT_FALSE(w.isMaximized());
    EXPECT_FALSE(w.toolBar()->isVisible());
    QStringList menus;
    for (QAction* a : w.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{MenuBestand, MenuOnderhoud, MenuVenster, MenuHelp}));
    EXPECT_EQ(w.action(QStringLiteral("actClose"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    EXPECT_EQ(w.menuBar()->actions().size(), 4); // the window's menu left with it
    EXPECT_EQ(w.action(QStringLiteral("ActionImporteren"))->statusTip(),
              QStringLiteral("Importeren van gegevens uit aangeleverde bestanden"));
    for (QToolButton* b : w.collectivityButtons())
        EXPECT_FALSE(b->isEnabled());

    w.action(QStringLiteral("actToolbarMainMenuTonen"))->setChecked(true);
    EXPECT_TRUE(w.toolBar()->isVisible());
    w.openMenu()->popup(w.mapToGlobal(QPoint(20, 20)));
    test::saveScreenshot(&w, QStringLiteral("hoofdvenster"));
    w.openMenu()->hide();
    test::saveScreenshot(w.openMenu(), QStringLiteral("menu-openen"));
}

TEST_F(MainWindowFixture, ImportFromTheFileMenuFillsTheOpenList) {
    RecordCatalogue catalogue;
    catalogue.load(dm->connection());
    SampleOptions o;
    o.collectivities = 2;
    o.persons = 8;
    o.periods = {QStringLiteral("2006-01")};
    prompts.chosenFiles = {SampleGenerator(catalogue, o).writeAll(dir.filePath(QStringLiteral("archief")))};
    MainWindow& w = open();
    EXPECT_FALSE(w.openMenu()->menuAction()->isVisible());
    answerImport([](ImportDialog& dialog) {
        dialog.overviewHook = [](std::vector<StatementSummary>& summaries) {
            ImportOverview overview(summaries);
            overview.toggleSelectAll();
            test::ScriptedPrompts quiet;
            return overview.acceptClose(quiet);
        };
        dialog.show();
        QTRY_VERIFY(dialog.importFinished());
    });
    w.action(QStringLiteral("ActionImporteren"))->trigger();
    EXPECT_EQ(menuTexts(w.openMenu()),
              (QStringList{QStringLiteral("0012-1 SV: Bakkerij De Korenschoof BV"),
                           QStringLiteral("0013-1 SV: Installatiebedrijf Van Dam")}));
    EXPECT_TRUE(w.openMenu()->menuAction()->isVisible());
    EXPECT_EQ(prompts.openFolders, QStringList{settings->importDir()});
    const QStringList menus = {QStringLiteral("bestand"), QStringLiteral("onderhoud"),
                               QStringLiteral("venster"), QStringLiteral("help")};
    for (int i = 0; i < 4; ++i) {
        QMenu* m = w.menuBar()->actions()[i]->menu();
        m->popup(w.mapToGlobal(QPoint(0, 0)));
        test::saveScreenshot(m, QStringLiteral("menu-") + menus[i]);
        m->hide();
    }
}

TEST_F(MainWindowFixture, OpenListInItsThreeForms) {
    for (int i = 1; i <= 10; ++i)
        collectivity(i, QStringLiteral("Coll %1").arg(i));
    MainWindow& w = open();
    EXPECT_EQ(w.openMenu()->actions().size(), 10);
    EXPECT_EQ(w.openMenu()->actions().first()->text(), QStringLiteral("0001-1 SV: Coll 1"));
    EXPECT_EQ(w.openButton()->menu(), w.openMenu());

    collectivity(11, QStringLiteral("Coll 11"));
    w.rebuildOpenList();
    EXPECT_TRUE(w.openMenu()->actions().isEmpty());
    EXPECT_EQ(w.openButton()->menu(), nullptr); // the button runs the chooser
    EXPECT_TRUE(w.action(QStringLiteral("actKiesColl"))->isVisible());

    for (int nr : {3, 7, 5})
        w.openCollectivity({{nr, 1}, QString(), QStringLiteral("SV"), InsuranceType::Standard}, false);
    w.rebuildOpenList();
    EXPECT_EQ(menuTexts(w.openMenu()),
              (QStringList{QStringLiteral("0005-1 SV: Coll 5"), QStringLiteral("0007-1 SV: Coll 7"),
                           QStringLiteral("0003-1 SV: Coll 3"), QStringLiteral("-"), Meer}));

    // a recent collectivity that disappeared is pruned
    collectivity(12, QStringLiteral("Coll 12"));
    dm->connection().execute(QStringLiteral("delete from bord00 where ID01 = 7"));
    w.rebuildOpenList();
    EXPECT_EQ(w.recentList().keys(), (QStringList{QStringLiteral("0003001"), QStringLiteral("0005001")}));

    // no collectivities: list, button and clean-up hidden
    dm->connection().execute(QStringLiteral("delete from bord10"));
    w.rebuildOpenList();
    EXPECT_FALSE(w.action(QStringLiteral("ActionSchonen"))->isVisible());
}

TEST_F(MainWindowFixture, OpeningTwiceAndTheRecentList) {
    collectivity(12, QStringLiteral("Bakkerij"), {QStringLiteral("Z"), QStringLiteral(" ")});
    MainWindow& w = open();
    EXPECT_EQ(w.openMenu()->actions().size(), 2); // both insurance types
    w.openMenu()->actions()[0]->trigger();
    w.openMenu()->actions()[1]->trigger();
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 2);
    w.openCollectivity({{12, 1},
                        QStringLiteral("Bakkerij"),
                        QStringLiteral("ZKF/PRT"),
                        InsuranceType::SicknessFundOrPrivate},
                       false);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(w.mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("0012-1 ZKF/PRT: Bakkerij"));
    EXPECT_EQ(w.recentList().keys(), QStringList{QStringLiteral("0012001")});
    for (QToolButton* b : w.collectivityButtons())
        EXPECT_TRUE(b->isEnabled());
    QStringList menus;
    for (QAction* a : w.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus,
              (QStringList{MenuBestand, QStringLiteral("Bo&rderel"), MenuOnderhoud, MenuVenster, MenuHelp}));
    EXPECT_EQ(w.collectivityButtons()[1]->menu()->title(), QStringLiteral("Printen"));
    // Ctrl+X belongs to the active collectivity window's "Sluiten"; Ctrl+Q stays the program's
    EXPECT_EQ(w.action(QStringLiteral("actClose"))->shortcuts(),
              QList{QKeySequence(QStringLiteral("Ctrl+Q"))});
    w.mdiArea()->closeAllSubWindows();
    EXPECT_EQ(w.action(QStringLiteral("actClose"))->shortcuts(),
              (QList{QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Ctrl+Q"))}));

    RecentList r;
    for (int i = 1; i <= 11; ++i)
        r.touch(CollectivityKey{i, 1}.windowKey());
    EXPECT_EQ(r.keys().size(), 10);
    EXPECT_EQ(r.keys().first(), QStringLiteral("0002001"));
    r.touch(QStringLiteral("0005001"));
    EXPECT_EQ(r.keys().last(), QStringLiteral("0005001"));
    EXPECT_EQ(r.keys().size(), 10);
}

TEST_F(MainWindowFixture, LinesOfOneCollectivityKeepTheirOrderWhateverOrderTheRowsCameIn) {
    collectivity(12, QStringLiteral("Bakkerij"), {QStringLiteral("Z"), QStringLiteral(" ")});
    collectivity(13, QStringLiteral("Garage"), {QStringLiteral(" "), QStringLiteral("P")});
    QStringList captions;
    for (const CollectivityItem& c : listCollectivities(dm->connection()))
        captions << c.caption();
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("0012-1 SV: Bakkerij"), QStringLiteral("0012-1 ZKF/PRT: Bakkerij"),
                           QStringLiteral("0013-1 SV: Garage"), QStringLiteral("0013-1 ZKF/PRT: Garage")}));
}

TEST_F(MainWindowFixture, ChooserCarriesTheNumbers) {
    collectivity(12, QStringLiteral("Bakkerij"));
    collectivity(1234, QStringLiteral("Groot"));
    CollectivityChooserDialog chooser(listCollectivities(dm->connection()));
    EXPECT_EQ(chooser.windowTitle(), KiesCollCaption);
    EXPECT_EQ(chooser.combo()->count(), 2);
    chooser.combo()->setCurrentIndex(1);
    const CollectivityItem c = chooser.chosen();
    EXPECT_EQ(c.collectivity, (CollectivityKey{1234, 1}));
    EXPECT_EQ(c.insuranceType, InsuranceType::Standard);
    EXPECT_EQ(c.name, QStringLiteral("Groot"));
    EXPECT_TRUE(c.typeName.isEmpty());
    test::saveScreenshot(&chooser, QStringLiteral("kies-collectiviteit"));
}

TEST_F(MainWindowFixture, ClosingStoresTheLastActiveWindowAndReopensIt) {
    collectivity(12, QStringLiteral("Bakkerij"));
    collectivity(13, QStringLiteral("Drukkerij"));
    MainWindow& w = open();
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    w.openCollectivity({{13, 1}, QStringLiteral("Drukkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);

    closeWindow(MsgButton::No);
    EXPECT_TRUE(w.isVisible());
    closeWindow(MsgButton::Yes);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(prompts.texts().last(), AskClose);
    EXPECT_EQ(settings->openMDIWindows(), QStringLiteral("0012001"));
    EXPECT_EQ(settings->mruList(), QStringLiteral("0013001,0012001"));
    EXPECT_EQ(w.collectivityWindowCount(), 0);

    MainWindow& again = open();
    ASSERT_EQ(again.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(again.mdiArea()->subWindowList()[0]->windowTitle(), QStringLiteral("0012-1 SV: Bakkerij"));
}

// Reopening a window checks its collectivity; a database that cannot answer
// is reported, not taken for a collectivity that is gone.
TEST_F(MainWindowFixture, ACheckThatFailsIsReported) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       true);
    ASSERT_EQ(w.mdiArea()->subWindowList().size(), 1);
    w.mdiArea()->closeAllSubWindows();
    const qsizetype before = prompts.messages.size();

    dm->connection().execute(QStringLiteral("drop table bord10"));
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       true);
    EXPECT_TRUE(w.mdiArea()->subWindowList().isEmpty());
    ASSERT_EQ(prompts.messages.size(), size_t(before) + 1);
    EXPECT_EQ(prompts.messages.back().type, MsgType::Error);
    EXPECT_TRUE(prompts.messages.back().text.startsWith(QStringLiteral("Databasefout: ")))
        << prompts.messages.back().text.toStdString();
}

TEST_F(MainWindowFixture, RestoreDefaultsDeletesTheUserFileAtExitEvenAfterDecliningToClose) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    prompts.answers = {MsgButton::Yes, MsgButton::No}; // restore: yes; close: no
    w.restoreDefaults();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(settings->restoreDefaultsOnExit);
    closeWindow(MsgButton::Yes);
    const QString userFile = settings->userFile();
    EXPECT_TRUE(QFile::exists(userFile));
    window.reset();
    dm.reset();
    settings.reset();
    EXPECT_FALSE(QFile::exists(userFile));
}

TEST_F(MainWindowFixture, GeometryFromTheSettings) {
    settings->setMainFormWidth(800);
    settings->setMainFormHeight(500);
    settings->setMainFormLeft(10);
    settings->setMainFormTop(20);
    settings->setToolbarMainMenuVisible(true);
    MainWindow& w = open();
    EXPECT_EQ(w.geometry(), QRect(10, 20, 800, 500)); // the client area, as stored
    EXPECT_TRUE(w.toolBar()->isVisible());
    // closed and opened three times, it stands where it stood: no creep by its frame
    for (int i = 0; i < 3; ++i) {
        closeWindow(MsgButton::Yes);
        EXPECT_EQ(QPoint(settings->mainFormLeft(), settings->mainFormTop()), QPoint(10, 20)) << i;
        EXPECT_EQ(open().geometry(), QRect(10, 20, 800, 500)) << i;
    }
}

TEST_F(MainWindowFixture, MaintenanceCheckAnswers) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    EXPECT_TRUE(w.confirmMaintenance(QStringLiteral("importeren"))); // local, no windows: no question
    EXPECT_TRUE(prompts.messages.empty());

    host.network = true;
    prompts.answers = {MsgButton::No};
    EXPECT_FALSE(w.confirmMaintenance(QStringLiteral("schonen")));
    EXPECT_EQ(prompts.texts(), (QStringList{AskNetwork.arg(QStringLiteral("schonen")),
                                            QStringLiteral("Het schonen wordt afgebroken!")}));

    host.network = false;
    prompts.messages.clear();
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    prompts.answers = {MsgButton::Abort};
    EXPECT_FALSE(w.confirmMaintenance(QStringLiteral("importeren")));
    EXPECT_EQ(prompts.messages[0].buttons, MsgButton::Yes | MsgButton::Abort);
    EXPECT_EQ(w.collectivityWindowCount(), 1);
    prompts.answers = {MsgButton::Yes};
    EXPECT_TRUE(w.confirmMaintenance(QStringLiteral("importeren")));
    EXPECT_EQ(w.collectivityWindowCount(), 0);
}

TEST_F(MainWindowFixture, HelpGoesToTheDesktopElseToAWindowOfItsOwn) {
    MainWindow& w = open();
    const QString help = settings->helpDir() + QStringLiteral("Help.Htm");
    QFile::remove(help);
    ASSERT_TRUE(QFile::copy(QStringLiteral(OSTRAPEL_HELP_FILE), help));
    desktop.answers = {true, false};
    w.action(QStringLiteral("ActionHelp"))->trigger();
    EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(help)});
    EXPECT_EQ(w.helpWindow(), nullptr);

    // no program for it on this desktop: the program shows it itself
    w.action(QStringLiteral("ActionHelp"))->trigger();
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_TRUE(w.helpWindow()->isVisible());
    EXPECT_EQ(w.helpWindow()->windowTitle(), QStringLiteral("Ostrapel - Help"));
    EXPECT_TRUE(w.helpWindow()->browser()->toPlainText().contains(QStringLiteral("Borderellen importeren")));
    EXPECT_TRUE(prompts.messages.empty());
    test::saveScreenshot(w.helpWindow(), QStringLiteral("help-venster"));

    // a missing file is said so, not handed on
    QFile::remove(help);
    w.action(QStringLiteral("ActionHelp"))->trigger();
    EXPECT_EQ(prompts.texts(), QStringList{HelpNotFound.arg(help)});
    EXPECT_EQ(desktop.opened.size(), 2);
}

TEST_F(MainWindowFixture, CtrlXClosesTheActiveCollectivityWindowFromTheSearchBox) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    ASSERT_EQ(w.mdiArea()->subWindowList().size(), 1);
    auto* search = w.mdiArea()->subWindowList()[0]->findChild<QLineEdit*>();
    ASSERT_NE(search, nullptr);
    search->setFocus();
    search->setText(QStringLiteral("BAK"));
    search->selectAll();
    QTest::keyClick(search, Qt::Key_X, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.collectivityWindowCount(), 0); // closed, not cut
    EXPECT_TRUE(prompts.messages.empty());

    // with none open, Ctrl+X is "Ostrapel sluiten"
    prompts.answers.push_back(MsgButton::No);
    QTest::keyClick(&w, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(prompts.texts(), QStringList{AskClose});
}

// Closed for maintenance while one of them is maximized: every window comes
// back maximized, as it was shown.
TEST_F(MainWindowFixture, WindowsClosedForMaintenanceKeepTheMaximizedMode) {
    for (int nr : {12, 13, 14})
        collectivity(nr, QStringLiteral("Bedrijf %1").arg(nr));
    MainWindow& w = open();
    for (int nr : {12, 13, 14})
        w.openCollectivity(
            {{nr, 1}, QStringLiteral("Bedrijf %1").arg(nr), QStringLiteral("SV"), InsuranceType::Standard},
            false);
    w.mdiArea()->activeSubWindow()->showMaximized();
    prompts.answers = {MsgButton::Yes};
    ASSERT_TRUE(w.confirmMaintenance(QStringLiteral("comprimeren en repareren")));
    for (int nr : {12, 13, 14})
        EXPECT_TRUE(settings->readBool(QStringLiteral("Maximized"), false,
                                       windowSection(CollectivityKey{nr, 1}.windowKey())))
            << nr;
    w.openCollectivity({{13, 1}, QStringLiteral("Bedrijf 13"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    EXPECT_TRUE(w.mdiArea()->activeSubWindow()->isMaximized());
}

TEST_F(MainWindowFixture, ChildWindowsOpenInsideTheVisibleArea) {
    for (int nr : {12, 13, 14})
        collectivity(nr, QStringLiteral("Bedrijf %1").arg(nr));
    settings->setMainFormWidth(1000);
    settings->setMainFormHeight(900);
    // a window stored where the frame no longer reaches
    const QString section = windowSection(CollectivityKey{14, 1}.windowKey());
    settings->writeInteger(WindowSettingKeys::Left, 1500, section);
    settings->writeInteger(WindowSettingKeys::Top, 2000, section);
    settings->writeInteger(WindowSettingKeys::Width, 795, section);
    settings->writeInteger(WindowSettingKeys::Height, 577, section);
    MainWindow& w = open();
    for (int nr : {12, 13, 14})
        w.openCollectivity(
            {{nr, 1}, QStringLiteral("Bedrijf %1").arg(nr), QStringLiteral("SV"), InsuranceType::Standard},
            false);
    const QRect area = w.mdiArea()->viewport()->rect();
    for (QMdiSubWindow* sub : w.mdiArea()->subWindowList())
        EXPECT_TRUE(area.contains(sub->geometry()))
            << sub->windowTitle().toStdString() << " at " << sub->geometry().y();
    test::saveScreenshot(&w, QStringLiteral("hoofdvenster-drie-vensters"));

    // the rule itself: shrink to the area, then move back inside
    const QRect a(0, 0, 800, 600);
    EXPECT_EQ(placeInside(QRect(10, 20, 300, 200), a), QRect(10, 20, 300, 200));
    EXPECT_EQ(placeInside(QRect(0, 577, 795, 577), a), QRect(0, 23, 795, 577));
    EXPECT_EQ(placeInside(QRect(-50, -10, 300, 200), a), QRect(0, 0, 300, 200));
    EXPECT_EQ(placeInside(QRect(700, 500, 1000, 900), a), QRect(0, 0, 800, 600));
    EXPECT_EQ(placeInside(QRect(5, 5, 300, 200), QRect()), QRect(5, 5, 300, 200));
}

TEST_F(MainWindowFixture, DropDownButtonsShowTheirArrow) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    w.action(QStringLiteral("actToolbarMainMenuTonen"))->setChecked(true);
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    QToolButton* print = w.collectivityButtons()[1];
    ASSERT_NE(print->menu(), nullptr);
    const QImage withMenu = print->grab().toImage();
    QMenu* menu = print->menu();
    print->setMenu(nullptr); // the same button without its drop-down
    const QImage plain = print->grab().toImage();
    print->setMenu(menu);
    ASSERT_EQ(withMenu.size(), plain.size());
    // the arrow is drawn right of the caption
    int differing = 0;
    const int captionEnd = print->width() - 14;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = captionEnd; x < plain.width(); ++x)
            differing += withMenu.pixel(x, y) != plain.pixel(x, y) ? 1 : 0;
    EXPECT_GT(differing, 3);
    test::saveScreenshot(w.toolBar(), QStringLiteral("werkbalk"));
}

TEST(ApplicationIdentityTest, WindowTitlesGetNoProgramNameAppended) {
    const QString oldName = QCoreApplication::applicationName();
    setApplicationIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Ostrapel"));
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
    // a display name that was set explicitly would not follow the name
    QCoreApplication::setApplicationName(QStringLiteral("iets anders"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("iets anders"));
    QCoreApplication::setApplicationName(oldName);
}

TEST(SplashTest, SplashAndAbout) {
    SplashDialog splash(SplashDialog::Mode::Splash);
    EXPECT_EQ(splash.size(), QSize(519, 325));
    EXPECT_EQ(splash.statusLabel()->text(), QStringLiteral("Loading...."));
    EXPECT_TRUE(splash.infoLabel()->text().startsWith(QStringLiteral("Ostrapel 1.0.0 [")));
    EXPECT_TRUE(splash.infoLabel()->text().contains(QStringLiteral(", Build: ")));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    test::saveScreenshot(&splash, QStringLiteral("splash"));
    // no line of the picture runs through the info text's band: left of the
    // centred text each row of the band is the plain gradient
    splash.show();
    const QImage picture = splash.grab().toImage();
    const QRect band = splash.infoLabel()->geometry();
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x : {45, 60})
            EXPECT_EQ(picture.pixel(x, y), picture.pixel(20, y)) << "row " << y;
    SplashDialog about(SplashDialog::Mode::About);
    about.show();
    EXPECT_FALSE(about.statusLabel()->isVisible());
    test::saveScreenshot(&about, QStringLiteral("over"));
}

// A start-up question is the visible, active window: the splash, always on
// top, goes before it shows.
TEST(SplashTest, AStartUpQuestionComesAboveTheSplash) {
    const std::function<void(QtPrompts&)> prompts[] = {
        [](QtPrompts& p) { p.askYesNo(MsgType::Error, DataModuleTexts::NoConnection); },
        [](QtPrompts& p) { p.editConnectionString(QStringLiteral("Provider=SQLite;Data Source=x"), false); },
    };
    for (const auto& ask : prompts) {
        SplashDialog splash(SplashDialog::Mode::Splash);
        splash.show();
        ASSERT_TRUE(splash.isVisible());
        QtPrompts qtPrompts;
        bool seen = false;
        test::NextModal answer([&](QWidget* dialog) {
            seen = dialog->isVisible() && dialog == QApplication::activeModalWidget() && !splash.isVisible();
            test::saveScreenshot(dialog, QStringLiteral("opstartvraag"));
            dialog->close();
        });
        ask(qtPrompts);
        EXPECT_TRUE(seen);
    }
}

TEST_F(MainWindowFixture, FilterButtonRunsTheActiveWindowsFilter) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    QToolButton* filter = w.findChild<QToolButton*>(QStringLiteral("tbnFilter"));
    ASSERT_TRUE(filter);
    EXPECT_FALSE(filter->isEnabled());
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    ASSERT_TRUE(filter->isEnabled());
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = d->objectName();
            d->reject();
        }
    });
    filter->click();
    EXPECT_EQ(shown, QStringLiteral("dlgFilterLijst"));
}

// A name with "&" shows it in the menus instead of underlining the next letter.
TEST_F(MainWindowFixture, MenusShowTheAmpersandOfAName) {
    collectivity(14, QStringLiteral("Bäckerei Zürich & Söhne BV"));
    MainWindow& w = open();
    ASSERT_EQ(w.openMenu()->actions().size(), 1);
    QAction* item = w.openMenu()->actions()[0];
    EXPECT_EQ(item->text(), QStringLiteral("0014-1 SV: Bäckerei Zürich && Söhne BV"));
    EXPECT_TRUE(QKeySequence::mnemonic(item->text()).isEmpty());
    item->trigger();
    QMenu* windows = nullptr;
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == MenuVenster) windows = a->menu();
    ASSERT_NE(windows, nullptr);
    emit windows->aboutToShow();
    EXPECT_EQ(windows->actions().last()->text(), QStringLiteral("&1 0014-1 SV: Bäckerei Zürich && Söhne BV"));
}

TEST_F(MainWindowFixture, DroppedArchivesAreImportedOtherDropsIgnored) {
    RecordCatalogue catalogue;
    catalogue.load(dm->connection());
    SampleOptions o;
    o.collectivities = 1;
    o.persons = 4;
    o.periods = {QStringLiteral("2006-01")};
    const QStringList archives =
        SampleGenerator(catalogue, o).writeAll(dir.filePath(QStringLiteral("archief")));
    ASSERT_EQ(archives.size(), 1);
    const QString notes = dir.filePath(QStringLiteral("archief/notities.txt"));
    QFile(notes).open(QIODevice::WriteOnly);
    MainWindow& w = open();
    int importDialogs = 0;
    answerImport([&](ImportDialog& dialog) {
        ++importDialogs;
        dialog.overviewHook = [](std::vector<StatementSummary>& summaries) {
            for (StatementSummary& s : summaries)
                s.importFlag = u'J';
            return true;
        };
        dialog.show();
        QTRY_VERIFY(dialog.importFinished());
    });
    // Drags the files over the window and drops them; true when the window took them.
    const auto drop = [&](const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(&w, &enter);
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        dropped.ignore();
        QCoreApplication::sendEvent(&w, &dropped);
        QCoreApplication::processEvents(); // the import starts once the drop has ended
        EXPECT_EQ(enter.isAccepted(), dropped.isAccepted());
        return dropped.isAccepted();
    };
    EXPECT_FALSE(
        drop({QUrl(QStringLiteral("https://example.org/000012001-01.zip")), QUrl::fromLocalFile(notes)}));
    EXPECT_EQ(importDialogs, 0);
    EXPECT_TRUE(prompts.messages.empty());

    EXPECT_TRUE(drop({QUrl::fromLocalFile(archives[0]), QUrl::fromLocalFile(notes)}));
    EXPECT_EQ(importDialogs, 1);
    EXPECT_EQ(menuTexts(w.openMenu()), QStringList{QStringLiteral("0012-1 SV: Bakkerij De Korenschoof BV")});
    EXPECT_TRUE(prompts.openFolders.isEmpty()); // no file dialog
}

TEST_F(MainWindowFixture, CtrlQQuitsCtrlFSearchesAndF5Reloads) {
    collectivity(12, QStringLiteral("Bakkerij"));
    MainWindow& w = open();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.openCollectivity({{12, 1}, QStringLiteral("Bakkerij"), QStringLiteral("SV"), InsuranceType::Standard},
                       false);
    auto* child = qobject_cast<CollectivityWindow*>(w.mdiArea()->subWindowList().value(0)->widget());
    ASSERT_NE(child, nullptr);

    child->personsPane()->grid()->setFocus();
    QTest::keyClick(child->personsPane()->grid(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), child->searchBox());

    // F5 also lists a collectivity that came in meanwhile
    collectivity(13, QStringLiteral("Installatiebedrijf"));
    QTest::keyClick(child->searchBox(), Qt::Key_F5);
    EXPECT_EQ(menuTexts(w.openMenu()), (QStringList{QStringLiteral("0012-1 SV: Bakkerij"),
                                                    QStringLiteral("0013-1 SV: Installatiebedrijf")}));
    EXPECT_TRUE(prompts.messages.empty());

    // Ctrl+X stays the collectivity window's; Ctrl+Q asks to close the program
    prompts.answers = {MsgButton::No};
    QTest::keyClick(child->searchBox(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(prompts.texts(), QStringList{AskClose});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.collectivityWindowCount(), 1);
    closeWindow(MsgButton::Yes);
}
