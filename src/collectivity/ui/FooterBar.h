#pragma once

#include <QFrame>
#include <vector>

class QHBoxLayout;
class QLabel;

namespace ostrapel {

// A footer of fixed-width sections under a list (record count, legends, totals).
class FooterBar : public QFrame {
    Q_OBJECT
public:
    explicit FooterBar(QWidget* parent = nullptr);
    int addSection(int width, Qt::Alignment alignment = Qt::AlignLeft, const QString& text = {},
                   const QPixmap& icon = {});
    void setText(int section, const QString& text);
    QString text(int section) const;
    int sectionCount() const { return int(sections_.size()); }

private:
    std::vector<QLabel*> sections_;
    QHBoxLayout* layout_;
};

} // namespace ostrapel
