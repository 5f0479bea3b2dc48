#pragma once

#include "collectivity/FieldOrderEditor.h"

#include <QDialog>

class QAction;
class QListWidget;
class QPushButton;

namespace ostrapel {

// "Grid veldinstellingen": the fields of a list in order, each unchecked
// (hidden), checked (column and detail row) or greyed (detail row only).
class FieldOrderDialog : public QDialog {
    Q_OBJECT
public:
    FieldOrderDialog(const RecordCatalogue& catalogue, const QString& order, QWidget* parent = nullptr);
    QString fieldOrder() const { return editor_.result(); }
    QListWidget* list() const { return list_; }
    QAction* actItemUp;
    QAction* actItemDown;

private:
    void fill(int select);
    void updateButtons();
    FieldOrderEditor editor_;
    QListWidget* list_;
    bool filling_ = false;
};

} // namespace ostrapel
