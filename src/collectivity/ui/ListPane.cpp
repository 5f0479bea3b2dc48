#include "ListPane.h"

#include "DetailPane.h"
#include "FooterBar.h"

#include "core/TextHelpers.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace ostrapel {

namespace {

constexpr int kDetailWidth = 221;

QLabel* headerLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setFixedHeight(24);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Dark));
    p.setColor(QPalette::WindowText, p.color(QPalette::BrightText));
    l->setPalette(p);
    QFont f = l->font();
    f.setPixelSize(21);
    f.setBold(true);
    l->setFont(f);
    return l;
}

const QString kLime = QStringLiteral("QHeaderView::section { background-color: #00ff00; }");

} // namespace

ListPane::ListPane(const RecordCatalogue& catalogue, const QString& side, StatementGrid::Marker marker,
                   const QString& title, const QString& detailHint, const QString& listHint, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("pnl%1Lijst").arg(side));
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    header_ = headerLabel(title, this);
    header_->setObjectName(side == QStringLiteral("10") ? QStringLiteral("lblVerzekerden")
                                                        : QStringLiteral("lblComponenten"));
    layout_->addWidget(header_);

    split_ = new QSplitter(Qt::Horizontal, this);
    split_->setObjectName(QStringLiteral("splitDI%1").arg(side));
    split_->setHandleWidth(4);
    split_->setChildrenCollapsible(false);
    detail_ = new DetailPane(catalogue);
    detail_->setObjectName(QStringLiteral("DI%1Detail").arg(side));
    detail_->setToolTip(shortHint(detailHint));
    detail_->setStatusTip(longHint(detailHint));
    detailPanel_ = new QWidget(split_);
    detailPanel_->setObjectName(QStringLiteral("pnl%1Detail").arg(side));
    auto* pl = new QVBoxLayout(detailPanel_);
    pl->setContentsMargins(0, 0, 0, 0);
    pl->addWidget(detail_);
    pl->addStretch();
    detailPanel_->setMinimumWidth(200);
    detail_->setPane(detailPanel_);
    auto* list = new QWidget(split_);
    auto* ll = new QVBoxLayout(list);
    ll->setContentsMargins(0, 0, 0, 0);
    ll->setSpacing(0);
    grid_ = new StatementGrid(marker, list);
    grid_->setObjectName(QStringLiteral("dbg%1").arg(side));
    grid_->setToolTip(shortHint(listHint));
    grid_->setStatusTip(longHint(listHint));
    grid_->horizontalHeader()->setStretchLastSection(true);
    ll->addWidget(grid_, 1);
    footer_ = new FooterBar(list);
    footer_->setObjectName(QStringLiteral("hc%1").arg(side));
    ll->addWidget(footer_);
    split_->setSizes({kDetailWidth, 570});
    split_->setStretchFactor(1, 1);
    layout_->addWidget(split_, 1);

    connect(grid_, &QAbstractItemView::pressed, this, &ListPane::listPressed);
    connect(detail_, &DetailPane::pressed, this, &ListPane::detailPressed);
    connect(split_, &QSplitter::splitterMoved, this, &ListPane::splitterMoved);
}

void ListPane::addBar(QWidget* bar) {
    layout_->insertWidget(layout_->indexOf(split_), bar);
}

void ListPane::showDetail(bool shown) {
    detailPanel_->setVisible(shown);
    if (shown) split_->setSizes({kDetailWidth, std::max(split_->width() - kDetailWidth - 4, 200)});
}

bool ListPane::detailShown() const {
    return !detailPanel_->isHidden();
}

void ListPane::setActive(bool list, bool detail) {
    grid_->setActive(list);
    detail_->horizontalHeader()->setStyleSheet(detail ? kLime : QString());
}

} // namespace ostrapel
