#pragma once

#include "WindowReports.h"
#include "collectivity/CollectivityChild.h"
#include "collectivity/GridRing.h"
#include "collectivity/StatementState.h"
#include "filters/FilterCriterion.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QToolButton;

namespace ostrapel {

class StatementGrid;
class CollectivityKeyRouter;
class Connection;
class Desktop;
class Dialogs;
class FooterBar;
class ListPane;
class PrinterService;
class Prompts;
class DetailPane;
class CollectivityDetails;
class Settings;

// The window of one collectivity and one insurance type: the insured persons
// above, their premium components below, each list with its detail pane.
class CollectivityWindow : public QWidget, public CollectivityChild {
    Q_OBJECT
public:
    CollectivityWindow(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                       PrinterService& printer, Desktop& desktop, Dialogs& dialogs, Settings& settings,
                       WindowReports& reports, QWidget* parent = nullptr);
    ~CollectivityWindow() override;

    void setIdentity(CollectivityKey collectivity, InsuranceType type);
    CollectivityKey collectivity() const override { return state_.collectivity(); }
    InsuranceType insuranceType() const override { return state_.insuranceType(); }
    QMenu* statementMenu() const override { return menuStatement_; }
    QMenu* reportMenu() const override { return menuPrinten_; }
    QMenu* exportMenu() const override { return menuExporteren_; }
    QMenu* optionsMenu() const override { return menuOpties_; }
    QAction* filterAction() const override { return actFilter; }
    void focusSearch() override;
    void reload() override;
    void loadWindowState() override;
    void saveWindowState() override;

    StatementState& state() { return state_; }
    GridRing& ring() { return ring_; }
    std::function<void(const QString&)> statusCallback;

    // Commands, open for tests.
    void search();
    void sortPersonsByColumn(int column);
    void sortComponentsByColumn(int column);
    void toggleUnitView();
    void toggleComponents();              // after actToonComponenten flipped its check
    void toggleDetails(bool personsSide); // after the details action flipped its check
    void choosePeriod();
    void applyPeriod(const QString& setting);
    void chooseDropDown(ComponentsQuery::Filter f, int index);
    void movePersons(int rows);
    void activateGrid(int entry);
    void editFieldOrder(bool personsSide);
    void applyFieldOrder(bool personsSide, const QString& order);
    void pickSortField();
    void columnDragged(bool personsSide);
    void runReport(WindowReports::Kind kind, const QString& month = {});
    void runRenewalDifferences();
    // The filter dialog on the window's criteria; they are kept when it closes with OK.
    void editFilter();
    const std::vector<FilterCriterion>& filterCriteria() const { return filterCriteria_; }

    // How long a held scroll key moves before the lists stop following (700 ms).
    void setPauseInterval(int ms);

    // The two sides and the widgets above them; tests reach them here or by objectName.
    ListPane* personsPane() const { return personsPane_; }
    ListPane* componentsPane() const { return componentsPane_; }
    ListPane* pane(bool personsSide) const { return personsSide ? personsPane_ : componentsPane_; }
    QLineEdit* searchBox() const { return editVerzZoeken_; }
    QLabel* periodLabel() const { return lblPeriode_; }
    QLabel* searchFieldLabel() const { return lblZoek_; }
    QToolButton* dropDownButton(ComponentsQuery::Filter f) const { return dropDownButtons_[f]; }

    // The window's commands, for the main window's menus and toolbar and for tests.
    QAction* actVerzEenheid;
    QAction* actToonComponenten;
    QAction* actIndividueel;
    QAction* actGezamelijk;
    QAction* actVeranderPeriode;
    QAction* actToonSamengesteldeAchternaam;
    QAction* actToonDI10Details;
    QAction* actToonDI50Details;
    QAction* actCollDetails;
    QAction* actVeranderVeldVolgorde;
    QAction* actFieldOrder10;
    QAction* actFieldOrder50;
    QAction* actExportWizard;
    QAction* actRapEigenCriteria;
    QAction* actRapProlongatieVerschillen;
    QAction* actClose;
    QAction* actFilter;
    QMenu* menuIncasso = nullptr;
    QMenu* menuCorrectie = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The keys reach the window's commands and its paused look.
    friend class CollectivityKeyRouter;

    void buildLayout();
    void buildActions();
    void buildMenus();
    void buildDropDownMenus();
    void buildMonthMenus();
    void refreshPersons();
    void refreshComponents();
    void refreshFooters();
    void followPersons();
    void showPerson();
    void fitDetails();
    void onPersonsRowChanged(int row);
    void setMode(ComponentsQuery::Mode mode);
    void setPausedLook(bool paused);
    bool stepList(StatementGrid* grid, int rows);
    void moveActive(int rows);
    QAction* action(const QString& name, const QString& caption, const QString& hint = {});
    // Every user command goes through here: its error is shown, not thrown into Qt.
    void runCommand(const std::function<void()>& command);
    void onTriggered(QAction* action, std::function<void()> command);
    QAction* detailsAction(bool personsSide) const;
    QWidget* buildSearchBar(QWidget* parent);
    QWidget* buildComponentsBar(QWidget* parent);

    ListPane* personsPane_ = nullptr;
    ListPane* componentsPane_ = nullptr;
    QSplitter* splitVert_ = nullptr;
    QLineEdit* editVerzZoeken_ = nullptr;
    QLabel* lblPeriode_ = nullptr;
    QLabel* lblZoek_ = nullptr;
    QToolButton* dropDownButtons_[3] = {};

    const RecordCatalogue& catalogue_;
    Prompts& prompts_;
    PrinterService& printer_;
    Desktop& desktop_;
    WindowReports& reports_;
    Dialogs& dialogs_;
    Settings& settings_;
    StatementState state_;
    GridRing ring_;
    std::unique_ptr<CollectivityDetails> details_;
    std::vector<FilterCriterion> filterCriteria_;
    QMenu* menuStatement_ = nullptr;
    QMenu* menuOpties_ = nullptr;
    QMenu* menuPrinten_ = nullptr;
    QMenu* menuExporteren_ = nullptr;
    QMenu* dropDownMenus_[3] = {};
    bool syncing_ = false;
    bool movingColumns_ = false;
    bool saved_ = false;
    bool initialised_ = false;
    bool monthMenusBuilt_ = false;
    std::unique_ptr<CollectivityKeyRouter> keys_;
};

} // namespace ostrapel
