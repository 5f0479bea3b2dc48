#include "PremiumTrendPage.h"

#include "core/DisplayFormat.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/Prompts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPen>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace ostrapel {

namespace PremiumTrendTexts {
const QString Premie = QStringLiteral("Premie");
const QString Correcties = QStringLiteral("Correcties");
const QString Verzekerden = QStringLiteral("Verzekerden");
const QString Bedrag = QStringLiteral("Bedrag");
const QString OpslaanPng = QStringLiteral("&Opslaan als PNG ...");
const QString GrafiekOpslaan = QStringLiteral("Grafiek opslaan");
const QString PngFilter = QStringLiteral("PNG-afbeelding|*.png");
const QString WijsMaandAan = QStringLiteral("Wijs een maand aan voor de cijfers van die maand.");
const QString GeenMaanden = QStringLiteral("Er zijn geen premiecomponenten van dit verzekeringstype.");
} // namespace PremiumTrendTexts

using namespace PremiumTrendTexts;

PremiumTrendPage::PremiumTrendPage(const QList<TrendMonth>& months, Prompts& prompts,
                                   const QString& defaultName, QWidget* parent)
    : QWidget(parent), months_(months), prompts_(prompts), defaultName_(defaultName), chart_(new QChart),
      view_(new QChartView(chart_)), figures_(new QLabel), save_(new QPushButton(OpslaanPng)) {
    setObjectName(QStringLiteral("tsPremieverloop"));
    auto* premium = new QBarSet(Premie);
    auto* corrections = new QBarSet(Correcties);
    auto* persons = new QLineSeries;
    persons->setName(Verzekerden);
    persons->setPointsVisible(true);
    // three series, three colours, whatever the theme
    premium->setColor(QColor(0x2e, 0x75, 0xb6));
    premium->setBorderColor(QColor(0x2e, 0x75, 0xb6));
    corrections->setColor(QColor(0xed, 0x7d, 0x31));
    corrections->setBorderColor(QColor(0xed, 0x7d, 0x31));
    persons->setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    QStringList categories;
    double low = 0, high = 0;
    int most = 0;
    for (qsizetype i = 0; i < months_.size(); ++i) {
        const TrendMonth& m = months_[i];
        categories << m.month;
        *premium << m.premium;
        *corrections << m.corrections;
        persons->append(double(i), m.persons);
        low = std::min({low, m.premium, m.corrections});
        high = std::max({high, m.premium, m.corrections});
        most = std::max(most, m.persons);
    }
    auto* bars = new QBarSeries;
    bars->append(premium);
    bars->append(corrections);
    chart_->addSeries(bars);
    chart_->addSeries(persons);

    // Amounts and counts with the program's separators: 1.234,56.
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(programLocale());
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->setBackgroundRoundness(0);

    auto* monthAxis = new QBarCategoryAxis;
    monthAxis->append(categories);
    chart_->addAxis(monthAxis, Qt::AlignBottom);
    auto* amountAxis = new QValueAxis;
    amountAxis->setTitleText(Bedrag);
    amountAxis->setLabelFormat(QStringLiteral("%.0f"));
    amountAxis->setRange(low, high > low ? high : low + 1);
    amountAxis->applyNiceNumbers();
    chart_->addAxis(amountAxis, Qt::AlignLeft);
    auto* personsAxis = new QValueAxis;
    personsAxis->setTitleText(Verzekerden);
    // "%d" leaves the labels of a localised axis empty
    personsAxis->setLabelFormat(QStringLiteral("%.0f"));
    personsAxis->setRange(0, std::max(most, 1) * 1.2);
    personsAxis->applyNiceNumbers();
    personsAxis->setMin(0);
    personsAxis->setGridLineVisible(false);
    chart_->addAxis(personsAxis, Qt::AlignRight);
    bars->attachAxis(monthAxis);
    bars->attachAxis(amountAxis);
    persons->attachAxis(monthAxis);
    persons->attachAxis(personsAxis);

    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMouseTracking(true);
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);

    figures_->setText(months_.isEmpty() ? GeenMaanden : WijsMaandAan);
    save_->setEnabled(!months_.isEmpty());
    connect(save_, &QPushButton::clicked, this, &PremiumTrendPage::savePng);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(view_, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(figures_, 1);
    row->addWidget(save_);
    layout->addLayout(row);
}

int PremiumTrendPage::monthAt(const QPoint& viewportPos) const {
    const QPointF inChart = chart_->mapFromScene(view_->mapToScene(viewportPos));
    if (months_.isEmpty() || !chart_->plotArea().contains(inChart)) return -1;
    const QPointF value = chart_->mapToValue(inChart, chart_->series().first());
    const int index = int(std::lround(value.x()));
    return index >= 0 && index < months_.size() ? index : -1;
}

QPoint PremiumTrendPage::monthCentre(int index) const {
    const QPointF inChart = chart_->mapToPosition(QPointF(index, 0), chart_->series().first());
    const QPointF middle(inChart.x(), chart_->plotArea().center().y());
    return view_->mapFromScene(chart_->mapToScene(middle));
}

void PremiumTrendPage::showMonth(int index) {
    if (index < 0 || index >= months_.size()) return;
    figures_->setText(PremiumTrend::describe(months_[index]));
}

bool PremiumTrendPage::eventFilter(QObject* watched, QEvent* event) {
    // Anywhere in a month's column, not just on its bars or its point.
    if (watched == view_->viewport() && event->type() == QEvent::MouseMove)
        showMonth(monthAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    return QWidget::eventFilter(watched, event);
}

bool PremiumTrendPage::savePng() {
    const QString name = prompts_.saveFileName(GrafiekOpslaan, defaultName_, PngFilter);
    if (name.isEmpty()) return false;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    try {
        if (!view_->grab().save(&buffer, "PNG")) throw OstrapelError(FileWriterTexts::NotWritten.arg(name));
        FileWriter::writeFile(name, png);
        return true;
    } catch (const OstrapelError& e) {
        prompts_.error(e.message());
        return false;
    }
}

} // namespace ostrapel
