#pragma once

#include "core/InsuranceType.h"

#include <QDialog>

class QTabWidget;
class QTableView;

namespace ostrapel {

class DataSetModel;
class DetailPane;
class CollectivityDetails;
class PremiumTrendPage;
class Prompts;
class RecordCatalogue;

// "Collectiviteit": the collectivity record field by field, the history of
// its imported statements, newest first, and how the premium of the window's
// insurance type developed.
class CollectivityDetailsDialog : public QDialog {
    Q_OBJECT
public:
    // The chart is saved into `saveFolder` unless the user picks another.
    CollectivityDetailsDialog(CollectivityDetails& details, const RecordCatalogue& catalogue,
                              InsuranceType type, Prompts& prompts, const QString& saveFolder,
                              QWidget* parent = nullptr);
    QTabWidget* pages() const { return pages_; }
    DetailPane* detailPane() const { return inspector_; }
    QTableView* historyGrid() const { return history_; }
    PremiumTrendPage* trendPage() const { return trend_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* pages_;
    DetailPane* inspector_;
    QTableView* history_;
    DataSetModel* historyModel_;
    PremiumTrendPage* trend_;
};

} // namespace ostrapel
