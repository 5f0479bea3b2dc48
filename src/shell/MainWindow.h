#pragma once

#include "OpenList.h"
#include "RecentList.h"
#include "ShellServices.h"

#include "core/RecordCatalogue.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QToolButton;
class QUrl;

namespace ostrapel {

class CollectivityReports;

class CollectivityChild;
class Desktop;
class HelpWindow;
class MaintenanceCheck;
class MaintenanceCommands;
class PrinterService;
class Prompts;
class Settings;
class StatementDatabase;

// The frame window: menus, toolbar, status bar and the collectivity windows.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Runs the main-window start-up steps; errors escape to the caller.
    MainWindow(StatementDatabase& dataModule, Settings& settings, const ShellServices& services,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates the window of a collectivity; replaceable until the collectivity window exists.
    using WindowFactory = std::function<QWidget*(const CollectivityItem& item, const QString& caption)>;
    void setWindowFactory(WindowFactory f) { windowFactory_ = std::move(f); }

    // Shows the window as the settings say and reopens the last active collectivity.
    void showAtStart();
    // With `check`, only when the collectivity still has persons of the type.
    void openCollectivity(const CollectivityItem& item, bool check);
    void rebuildOpenList();
    bool confirmMaintenance(const QString& word);
    int collectivityWindowCount() const;
    bool closeCollectivityWindows();
    void followActiveWindow(int state);
    void runChooser();
    // True when start-up was refused (update scripts declined or failed): the program ends.
    bool startupRefused() const { return startupRefused_; }
    MaintenanceCommands& maintenanceCommands() { return *commands_; }
    // Brings the window to the front, restored when minimised (a second start asks for it).
    void bringToFront();

    const RecentList& recentList() const { return recent_; }
    QString activeWindowKey() const { return activeWindowKey_; }
    QMdiArea* mdiArea() const { return mdi_; }
    QMenu* openMenu() const { return miOpenen; }
    QToolButton* openButton() const { return tbtnStatementMany; }
    QToolBar* toolBar() const { return tbrMainMenu; }
    QAction* action(const QString& objectName) const;
    QList<QToolButton*> collectivityButtons() const;

    void importFiles(); // "Bestand importeren ..."
    // Dropped files: the archives and statement files among them are imported.
    void importDroppedFiles(const QStringList& files);
    void showHelp(); // "Help inhoud ..."
    // The help window, once the desktop could not open the help file.
    HelpWindow* helpWindow() const { return helpWindow_; }
    // The status bar's lasting text (what a clean-up removed).
    QLabel* statusLabel() const { return lblStatus_; }
    void restoreDefaults();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void importFiles(const QStringList& files);
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void restoreGeometryFromSettings();
    void saveSettings();
    void reopenWindows();
    void applyToolbarVisibility();
    void fillWindowMenu();
    void tile(bool aboveEachOther);
    QMdiSubWindow* findWindow(CollectivityKey collectivity, InsuranceType type) const;
    CollectivityChild* activeChild() const;
    void runCommand(const std::function<void()>& command);
    QAction* makeAction(const QString& name, const QString& caption, const QString& hint = {});

    StatementDatabase& dm_;
    Settings& settings_;
    RecordCatalogue catalogue_;
    Prompts& prompts_;
    PrinterService& printer_;
    Desktop& desktop_;
    Dialogs& dialogs_;
    ProgramHost& host_;
    std::unique_ptr<MaintenanceCheck> maintenance_;
    std::unique_ptr<CollectivityReports> collectivityReports_;
    std::unique_ptr<MaintenanceCommands> commands_;
    bool startupRefused_ = false;
    WindowFactory windowFactory_;
    RecentList recent_;
    QString activeWindowKey_;
    bool shown_ = false;
    bool closing_ = false;

    QMdiArea* mdi_;
    QLabel* lblStatus_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    QMenu* miBestand = nullptr;
    QMenu* miOpenen = nullptr;
    QMenu* miOnderhoud = nullptr;
    QMenu* miWindow = nullptr;
    QMenu* miHelp = nullptr;
    QAction* miOpenenAction = nullptr;
    QToolBar* tbrMainMenu = nullptr;
    QToolButton* tbtnStatementMany = nullptr;
    QToolButton* tbnFilter = nullptr;
    QToolButton* tbnPrint = nullptr;
    QToolButton* tbnImporteren = nullptr;
    QToolButton* tbnExport = nullptr;
    QToolButton* tbnVerzOpties = nullptr;
    QAction* actKiesColl = nullptr;
    QAction* actStatementMenu = nullptr; // the active window's menu in the menu bar
    QList<QAction*> actions_;
};

} // namespace ostrapel
