#include "FooterBar.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace ostrapel {

FooterBar::FooterBar(QWidget* parent) : QFrame(parent), layout_(new QHBoxLayout(this)) {
    setFrameShape(QFrame::NoFrame);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addStretch();
    setFixedHeight(17);
}

int FooterBar::addSection(int width, Qt::Alignment alignment, const QString& text, const QPixmap& icon) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(3, 0, 3, 0);
    row->setSpacing(3);
    if (!icon.isNull()) {
        auto* image = new QLabel(box);
        image->setPixmap(icon);
        row->addWidget(image);
    }
    auto* label = new QLabel(text, box);
    label->setAlignment(alignment | Qt::AlignVCenter);
    row->addWidget(label, 1);
    box->setStyleSheet(QStringLiteral("QWidget { border-right: 1px solid palette(mid); }"
                                      "QLabel { border: none; }"));
    layout_->insertWidget(layout_->count() - 1, box);
    sections_.push_back({box, label, width});
    fit(sections_.back());
    return int(sections_.size() - 1);
}

void FooterBar::fit(const Section& s) {
    // The designed widths were made for a narrower font than this system's.
    s.box->setFixedWidth(std::max(s.designWidth, s.box->sizeHint().width()));
}

void FooterBar::setText(int section, const QString& text) {
    if (section < 0 || section >= int(sections_.size())) return;
    const Section& s = sections_[size_t(section)];
    s.label->setText(text);
    fit(s);
}

QString FooterBar::text(int section) const {
    return section >= 0 && section < int(sections_.size()) ? sections_[size_t(section)].label->text()
                                                           : QString();
}

int FooterBar::sectionWidth(int section) const {
    return section >= 0 && section < int(sections_.size()) ? sections_[size_t(section)].box->width() : 0;
}

} // namespace ostrapel
