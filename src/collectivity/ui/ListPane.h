#pragma once

#include "StatementGrid.h"

#include <QWidget>

class QLabel;
class QSplitter;
class QVBoxLayout;

namespace ostrapel {

class DetailPane;
class FooterBar;
class RecordCatalogue;

// One side of the collectivity window: its header, the bars the window puts
// below it, and the detail pane beside the list with the list's footer.
class ListPane : public QWidget {
    Q_OBJECT
public:
    // `side` is "10" (insured persons) or "50" (premium components): it names the widgets.
    ListPane(const RecordCatalogue& catalogue, const QString& side, StatementGrid::Marker marker,
             const QString& title, const QString& detailHint, const QString& listHint,
             QWidget* parent = nullptr);

    // A bar between the header and the lists (the search row, the components toolbar).
    void addBar(QWidget* bar);

    QLabel* header() const { return header_; }
    DetailPane* detail() const { return detail_; }
    QWidget* detailPanel() const { return detailPanel_; }
    StatementGrid* grid() const { return grid_; }
    FooterBar* footer() const { return footer_; }
    QSplitter* splitter() const { return split_; }

    // Shows or hides the detail pane; shown, it takes its 221 pixels beside the list again.
    void showDetail(bool shown);
    bool detailShown() const;
    // The lime fixed cells of the active list or detail pane.
    void setActive(bool list, bool detail);

signals:
    void listPressed();
    void detailPressed();
    void splitterMoved();

private:
    QVBoxLayout* layout_;
    QLabel* header_;
    QSplitter* split_;
    DetailPane* detail_;
    QWidget* detailPanel_;
    StatementGrid* grid_;
    FooterBar* footer_;
};

} // namespace ostrapel
