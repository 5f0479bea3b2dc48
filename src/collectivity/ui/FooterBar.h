#pragma once

#include <QFrame>
#include <vector>

class QHBoxLayout;
class QLabel;

namespace ostrapel {

// A footer of sections under a list (record count, legends, totals). Each
// section keeps its designed width unless its text needs more: a total or a
// count is never cut off.
class FooterBar : public QFrame {
    Q_OBJECT
public:
    explicit FooterBar(QWidget* parent = nullptr);
    int addSection(int width, Qt::Alignment alignment = Qt::AlignLeft, const QString& text = {},
                   const QPixmap& icon = {});
    void setText(int section, const QString& text);
    QString text(int section) const;
    int sectionCount() const { return int(sections_.size()); }
    int sectionWidth(int section) const;

private:
    struct Section {
        QWidget* box;
        QLabel* label;
        int designWidth;
    };
    void fit(const Section& s);

    std::vector<Section> sections_;
    QHBoxLayout* layout_;
};

} // namespace ostrapel
