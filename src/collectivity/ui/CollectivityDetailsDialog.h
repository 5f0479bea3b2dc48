#pragma once

#include <QDialog>

class QTabWidget;
class QTableView;

namespace ostrapel {

class DataSetModel;
class DetailPane;
class CollectivityDetails;
class RecordCatalogue;

// "Collectiviteit": the collectivity record field by field and the history of
// its imported statements, newest first.
class CollectivityDetailsDialog : public QDialog {
    Q_OBJECT
public:
    CollectivityDetailsDialog(CollectivityDetails& details, const RecordCatalogue& catalogue,
                              QWidget* parent = nullptr);
    QTabWidget* pages() const { return pages_; }
    DetailPane* detailPane() const { return inspector_; }
    QTableView* historyGrid() const { return history_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* pages_;
    DetailPane* inspector_;
    QTableView* history_;
    DataSetModel* historyModel_;
};

} // namespace ostrapel
