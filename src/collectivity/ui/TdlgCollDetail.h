#pragma once

#include <QDialog>

class QTabWidget;
class QTableView;

namespace ostrapel {

class DataSetModel;
class TDataInspector;
class TDataModCollDetails;
class TmyMemLists;

// "Collectiviteit": the collectivity record field by field and the history of
// its imported statements, newest first.
class TdlgCollDetail : public QDialog {
    Q_OBJECT
public:
    TdlgCollDetail(TDataModCollDetails& details, const TmyMemLists& catalogue, QWidget* parent = nullptr);
    QTabWidget* pages() const { return pages_; }
    TDataInspector* DI00Detail() const { return inspector_; }
    QTableView* historyGrid() const { return history_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* pages_;
    TDataInspector* inspector_;
    QTableView* history_;
    DataSetModel* historyModel_;
};

} // namespace ostrapel
