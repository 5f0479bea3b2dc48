#pragma once

#include "collectivity/SortFieldPicker.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace ostrapel {

// "Kies sorteerveld": a column of the list to sort on, found by typing.
class SortFieldDialog : public QDialog {
    Q_OBJECT
public:
    SortFieldDialog(std::vector<SortFieldPicker::Item> items, const QString& currentSort,
                    QWidget* parent = nullptr);
    const SortFieldPicker::Item* chosen() const { return picker_.chosen(); }
    QLineEdit* searchBox() const { return edit_; }
    QListWidget* list() const { return list_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelection();
    SortFieldPicker picker_;
    QLineEdit* edit_;
    QListWidget* list_;
};

} // namespace ostrapel
