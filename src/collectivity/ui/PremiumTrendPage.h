#pragma once

#include "collectivity/PremiumTrend.h"

#include <QWidget>

class QLabel;
class QPushButton;

class QChart;
class QChartView;

namespace ostrapel {

class Prompts;

// "&Premieverloop": per invoice month the renewal premium and the corrections
// as bars, the insured persons as a line on an axis of their own. Pointing at
// a month shows its figures below the chart; the chart can be saved as PNG.
class PremiumTrendPage : public QWidget {
    Q_OBJECT
public:
    PremiumTrendPage(const QList<TrendMonth>& months, Prompts& prompts, const QString& defaultName,
                     QWidget* parent = nullptr);

    QChartView* chartView() const { return view_; }
    QLabel* figures() const { return figures_; }
    QPushButton* saveButton() const { return save_; }
    // The month under a point of the chart view's viewport; -1 outside the plot.
    int monthAt(const QPoint& viewportPos) const;
    // The centre of a month's place on the plot, in viewport coordinates.
    QPoint monthCentre(int index) const;
    void showMonth(int index);
    // Asks for a name and writes the chart there; false when nothing was written.
    bool savePng();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<TrendMonth> months_;
    Prompts& prompts_;
    QString defaultName_;
    QChart* chart_;
    QChartView* view_;
    QLabel* figures_;
    QPushButton* save_;
};

} // namespace ostrapel
