#pragma once

#include "collectivity/BorderelState.h"
#include "collectivity/CollectivityChild.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QToolButton;

namespace ostrapel {

class BorderelGrid;
class Connection;
class FooterBar;
class Prompts;
class TStaticSettings;

// The window of one collectivity and one insurance type: the insured persons
// above, their premium components below.
class TfrmBorderel : public QWidget, public CollectivityChild {
    Q_OBJECT
public:
    TfrmBorderel(Connection& connection, const TmyMemLists& catalogue, Prompts& prompts, TStaticSettings& settings,
                 QWidget* parent = nullptr);
    ~TfrmBorderel() override;

    void SetIdentity(int collNr, int collVolgNr, int verzType);
    int collNr() const override { return state_.collNr(); }
    int collVolgNr() const override { return state_.collVolgNr(); }
    int verzType() const override { return state_.verzType(); }
    QMenu* borderelMenu() const override { return menuBorderel_; }
    QMenu* reportMenu() const override { return menuPrinten_; }
    QMenu* exportMenu() const override { return menuExporteren_; }
    QMenu* optionsMenu() const override { return menuOpties_; }
    QAction* filterAction() const override { return actFilter; }
    void loadWindowState() override;
    void saveWindowState() override;

    BorderelState& state() { return state_; }
    std::function<void(const QString&)> statusCallback;

    // Commands, open for tests.
    void Search();
    void SortPersonsByColumn(int column);
    void SortComponentsByColumn(int column);
    void ToggleUnitView();
    void ToggleComponents(); // after actToonComponenten flipped its check
    void ChoosePeriod();
    void ApplyPeriod(const QString& setting);
    void ChooseDropDown(ComponentsQuery::Filter f, int index);
    void MovePersons(int rows);

    QLineEdit* editVerzZoeken;
    QLabel* lblVerzekerden;
    QLabel* lblPeriode;
    QLabel* lblZoek;
    QLabel* lblComponenten;
    BorderelGrid* dbg10;
    BorderelGrid* dbg50;
    FooterBar* hc10;
    FooterBar* hc50;
    QWidget* pnl50Lijst;
    QSplitter* splitVert;
    QToolButton* tbtnHerkomst;
    QToolButton* tbtnSoort;
    QToolButton* tbtnComponent;
    QAction* actVerzEenheid;
    QAction* actToonComponenten;
    QAction* actIndividueel;
    QAction* actGezamelijk;
    QAction* actVeranderPeriode;
    QAction* actToonSamengesteldeAchternaam;
    QAction* actClose;
    QAction* actFilter;
    QTimer tmrDisableGrids;
    // The period dialog; tests answer it.
    std::function<std::optional<QString>(const QStringList& months, const QString& current)> askPeriod;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildActions();
    void buildMenus();
    void buildDropDownMenus();
    void refreshPersons();
    void refreshComponents();
    void refreshFooters();
    void onPersonsRowChanged(int row);
    void setMode(ComponentsQuery::Mode mode);
    void setPausedLook(bool paused);
    QAction* action(const QString& name, const QString& caption, const QString& hint = {});

    TmyMemLists const& catalogue_;
    Prompts& prompts_;
    TStaticSettings& settings_;
    BorderelState state_;
    QMenu* menuBorderel_ = nullptr;
    QMenu* menuOpties_ = nullptr;
    QMenu* menuPrinten_ = nullptr;
    QMenu* menuExporteren_ = nullptr;
    QMenu* dropDownMenus_[3] = {};
    bool syncing_ = false;
    bool saved_ = false;
    bool initialised_ = false;
};

} // namespace ostrapel
