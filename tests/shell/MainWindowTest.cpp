// The main window offscreen, answered through the prompts facade.
#include "SampleGenerator.h"
#include "Screenshots.h"
#include "ScriptedPrompts.h"
#include "TestProgramDir.h"
#include "core/DataModule.h"
#include "core/IniFile.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "import/ImportOverview.h"
#include "import/ui/TdlgImport.h"
#include "shell/MaintenanceCheck.h"
#include "shell/ShellTexts.h"
#include "shell/TDlgSplash.h"
#include "shell/TdlgKiesColl.h"
#include "shell/TfrmMain.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using namespace ostrapel;
using namespace ostrapel::ShellTexts;

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        settings = std::make_unique<TStaticSettings>(dir.path());
        dm = std::make_unique<TdatamodBorderel>(*settings, prompts);
        ASSERT_TRUE(dm->DataModuleCreate());
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
    TfrmMain& open() {
        window = std::make_unique<TfrmMain>(*dm, *settings, prompts);
        window->onNetwork = [this] { return network; };
        window->ShowAtStart();
        return *window;
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
    std::unique_ptr<TStaticSettings> settings;
    std::unique_ptr<TdatamodBorderel> dm;
    std::unique_ptr<TfrmMain> window;
    bool network = false;
};

} // namespace

TEST_F(MainWindow, FirstStartUsesTheDefaults) {
    collectivity(12, QStringLiteral("Bakkerij"));
    TfrmMain& w = open();
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

TEST_F(MainWindow, ImportFromTheFileMenuFillsTheOpenList) {
    TmyMemLists catalogue;
    catalogue.LoadRecordLayouts(dm->connection());
    SampleOptions o;
    o.collectivities = 2;
    o.persons = 8;
    o.periods = {QStringLiteral("2006-01")};
    prompts.nextFiles = SampleGenerator(catalogue, o).writeAll(dir.filePath(QStringLiteral("archief")));
    TfrmMain& w = open();
    EXPECT_FALSE(w.openMenu()->menuAction()->isVisible());
    w.importDialogRunner = [](TdlgImport& dialog) {
        dialog.showOverview = [](std::vector<TmyImportStruct>& summaries) {
            ImportOverview overview(summaries);
            overview.toggleSelectAll();
            test::ScriptedPrompts quiet;
            return overview.acceptClose(quiet);
        };
        dialog.show();
        QTRY_VERIFY(dialog.run().done());
    };
    w.action(QStringLiteral("ActionImporteren"))->trigger();
    EXPECT_EQ(menuTexts(w.openMenu()),
              (QStringList{QStringLiteral("0012-1 SV: Bakkerij De Korenschoof BV"),
                           QStringLiteral("0013-1 SV: Installatiebedrijf Van Dam")}));
    EXPECT_TRUE(w.openMenu()->menuAction()->isVisible());
    EXPECT_EQ(prompts.openFolders, QStringList{settings->ImportDir()});
    const QStringList menus = {QStringLiteral("bestand"), QStringLiteral("onderhoud"),
                               QStringLiteral("venster"), QStringLiteral("help")};
    for (int i = 0; i < 4; ++i) {
        QMenu* m = w.menuBar()->actions()[i]->menu();
        m->popup(w.mapToGlobal(QPoint(0, 0)));
        test::saveScreenshot(m, QStringLiteral("menu-") + menus[i]);
        m->hide();
    }
}

TEST_F(MainWindow, OpenListInItsThreeForms) {
    for (int i = 1; i <= 10; ++i)
        collectivity(i, QStringLiteral("Coll %1").arg(i));
    TfrmMain& w = open();
    EXPECT_EQ(w.openMenu()->actions().size(), 10);
    EXPECT_EQ(w.openMenu()->actions().first()->text(), QStringLiteral("0001-1 SV: Coll 1"));
    EXPECT_EQ(w.openButton()->menu(), w.openMenu());

    collectivity(11, QStringLiteral("Coll 11"));
    w.RebuildOpenList();
    EXPECT_TRUE(w.openMenu()->actions().isEmpty());
    EXPECT_EQ(w.openButton()->menu(), nullptr); // the button runs the chooser
    EXPECT_TRUE(w.action(QStringLiteral("actKiesColl"))->isVisible());

    for (int nr : {3, 7, 5})
        w.OpenCollectivity(QString(), nr, false, 2, QStringLiteral("SV"), 1);
    w.RebuildOpenList();
    EXPECT_EQ(menuTexts(w.openMenu()),
              (QStringList{QStringLiteral("0005-1 SV: Coll 5"), QStringLiteral("0007-1 SV: Coll 7"),
                           QStringLiteral("0003-1 SV: Coll 3"), QStringLiteral("-"), Meer}));

    // a recent collectivity that disappeared is pruned
    collectivity(12, QStringLiteral("Coll 12"));
    dm->connection().execute(QStringLiteral("delete from bord00 where ID01 = 7"));
    w.RebuildOpenList();
    EXPECT_EQ(w.recentList().keys(), (QStringList{QStringLiteral("0003001"), QStringLiteral("0005001")}));

    // no collectivities: list, button and clean-up hidden
    dm->connection().execute(QStringLiteral("delete from bord10"));
    w.RebuildOpenList();
    EXPECT_FALSE(w.action(QStringLiteral("ActionSchonen"))->isVisible());
}

TEST_F(MainWindow, OpeningTwiceAndTheRecentList) {
    collectivity(12, QStringLiteral("Bakkerij"), {QStringLiteral("Z"), QStringLiteral(" ")});
    TfrmMain& w = open();
    EXPECT_EQ(w.openMenu()->actions().size(), 2); // both insurance types
    w.openMenu()->actions()[0]->trigger();
    w.openMenu()->actions()[1]->trigger();
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 2);
    w.OpenCollectivity(QStringLiteral("Bakkerij"), 12, false, 1, QStringLiteral("ZKF/PRT"), 1);
    EXPECT_EQ(w.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(w.mdiArea()->activeSubWindow()->windowTitle(), QStringLiteral("0012-1 ZKF/PRT: Bakkerij"));
    EXPECT_EQ(w.recentList().keys(), QStringList{QStringLiteral("0012001")});
    for (QToolButton* b : w.collectivityButtons())
        EXPECT_TRUE(b->isEnabled());
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{MenuBestand, QStringLiteral("Bo&rderel"), MenuOnderhoud, MenuVenster, MenuHelp}));
    EXPECT_EQ(w.collectivityButtons()[1]->menu()->title(), QStringLiteral("Printen"));
    // Ctrl+X belongs to the active collectivity window's "Sluiten"
    EXPECT_TRUE(w.action(QStringLiteral("actClose"))->shortcut().isEmpty());
    w.mdiArea()->closeAllSubWindows();
    EXPECT_EQ(w.action(QStringLiteral("actClose"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));

    RecentList r;
    for (int i = 1; i <= 11; ++i)
        r.touch(WindowKey(i, 1));
    EXPECT_EQ(r.keys().size(), 10);
    EXPECT_EQ(r.keys().first(), QStringLiteral("0002001"));
    r.touch(QStringLiteral("0005001"));
    EXPECT_EQ(r.keys().last(), QStringLiteral("0005001"));
    EXPECT_EQ(r.keys().size(), 10);
}

TEST_F(MainWindow, ChooserCarriesTheNumbers) {
    collectivity(12, QStringLiteral("Bakkerij"));
    collectivity(1234, QStringLiteral("Groot"));
    TdlgKiesColl chooser(ListCollectivities(dm->connection()));
    EXPECT_EQ(chooser.windowTitle(), KiesCollCaption);
    EXPECT_EQ(chooser.combo()->count(), 2);
    chooser.combo()->setCurrentIndex(1);
    const CollectivityItem c = chooser.chosen();
    EXPECT_EQ(c.CollNr, 1234);
    EXPECT_EQ(c.CollVolgNr, 1);
    EXPECT_EQ(c.VerzType, 2);
    EXPECT_EQ(c.CollNaam, QStringLiteral("Groot"));
    EXPECT_TRUE(c.VerzNaam.isEmpty());
    test::saveScreenshot(&chooser, QStringLiteral("kies-collectiviteit"));
}

TEST_F(MainWindow, ClosingStoresTheLastActiveWindowAndReopensIt) {
    collectivity(12, QStringLiteral("Bakkerij"));
    collectivity(13, QStringLiteral("Drukkerij"));
    TfrmMain& w = open();
    w.OpenCollectivity(QStringLiteral("Bakkerij"), 12, false, 2, QStringLiteral("SV"), 1);
    w.OpenCollectivity(QStringLiteral("Drukkerij"), 13, false, 2, QStringLiteral("SV"), 1);
    w.OpenCollectivity(QStringLiteral("Bakkerij"), 12, false, 2, QStringLiteral("SV"), 1);

    closeWindow(MsgButton::No);
    EXPECT_TRUE(w.isVisible());
    closeWindow(MsgButton::Yes);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(prompts.texts().last(), AskClose);
    EXPECT_EQ(settings->OpenMDIWindows(), QStringLiteral("0012001"));
    EXPECT_EQ(settings->MRUList(), QStringLiteral("0013001,0012001"));
    EXPECT_EQ(w.CollectivityWindowCount(), 0);

    TfrmMain& again = open();
    ASSERT_EQ(again.mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(again.mdiArea()->subWindowList()[0]->windowTitle(), QStringLiteral("0012-1 SV: Bakkerij"));
}

TEST_F(MainWindow, RestoreDefaultsDeletesTheUserFileAtExitEvenAfterDecliningToClose) {
    collectivity(12, QStringLiteral("Bakkerij"));
    TfrmMain& w = open();
    prompts.answers = {MsgButton::Yes, MsgButton::No}; // restore: yes; close: no
    w.restoreDefaults();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(settings->RestoreDefaultsOnExit);
    closeWindow(MsgButton::Yes);
    const QString userFile = settings->UserFile();
    EXPECT_TRUE(QFile::exists(userFile));
    window.reset();
    dm.reset();
    settings.reset();
    EXPECT_FALSE(QFile::exists(userFile));
}

TEST_F(MainWindow, GeometryFromTheSettings) {
    settings->SetMainFormWidth(800);
    settings->SetMainFormHeight(500);
    settings->SetMainFormLeft(10);
    settings->SetMainFormTop(20);
    settings->SetToolbarMainMenuVisible(true);
    TfrmMain& w = open();
    EXPECT_EQ(w.size(), QSize(800, 500));
    EXPECT_EQ(w.pos(), QPoint(10, 20));
    EXPECT_TRUE(w.toolBar()->isVisible());
}

TEST_F(MainWindow, MaintenanceCheckAnswers) {
    collectivity(12, QStringLiteral("Bakkerij"));
    TfrmMain& w = open();
    EXPECT_TRUE(w.ConfirmMaintenance(QStringLiteral("importeren"))); // local, no windows: no question
    EXPECT_TRUE(prompts.messages.empty());

    network = true;
    prompts.answers = {MsgButton::No};
    EXPECT_FALSE(w.ConfirmMaintenance(QStringLiteral("schonen")));
    EXPECT_EQ(prompts.texts(), (QStringList{AskNetwork.arg(QStringLiteral("schonen")),
                                            QStringLiteral("Het schonen wordt afgebroken!")}));

    network = false;
    prompts.messages.clear();
    w.OpenCollectivity(QStringLiteral("Bakkerij"), 12, false, 2, QStringLiteral("SV"), 1);
    prompts.answers = {MsgButton::Abort};
    EXPECT_FALSE(w.ConfirmMaintenance(QStringLiteral("importeren")));
    EXPECT_EQ(prompts.messages[0].buttons, MsgButton::Yes | MsgButton::Abort);
    EXPECT_EQ(w.CollectivityWindowCount(), 1);
    prompts.answers = {MsgButton::Yes};
    EXPECT_TRUE(w.ConfirmMaintenance(QStringLiteral("importeren")));
    EXPECT_EQ(w.CollectivityWindowCount(), 0);
}

TEST_F(MainWindow, HelpOpensTheHelpFile) {
    TfrmMain& w = open();
    QUrl opened;
    w.openUrl = [&](const QUrl& u) {
        opened = u;
        return true;
    };
    w.action(QStringLiteral("ActionHelp"))->trigger();
    EXPECT_EQ(opened, QUrl::fromLocalFile(settings->HelpDir() + QStringLiteral("Help.Htm")));
}

TEST(SplashTest, SplashAndAbout) {
    TDlgSplash splash(TDlgSplash::Mode::Splash);
    EXPECT_EQ(splash.size(), QSize(519, 325));
    EXPECT_EQ(splash.statusLabel()->text(), QStringLiteral("Loading...."));
    EXPECT_TRUE(splash.infoLabel()->text().startsWith(QStringLiteral("Ostrapel 1.0.0 [")));
    EXPECT_TRUE(splash.infoLabel()->text().contains(QStringLiteral(", Build: ")));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    test::saveScreenshot(&splash, QStringLiteral("splash"));
    TDlgSplash about(TDlgSplash::Mode::About);
    about.show();
    EXPECT_FALSE(about.statusLabel()->isVisible());
    test::saveScreenshot(&about, QStringLiteral("over"));
}
