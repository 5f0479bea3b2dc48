#pragma once

#include "reports/ExportFieldChoice.h"

#include <QDialog>

class QCheckBox;
class QListWidget;
class QStatusBar;
class QStackedWidget;
class QToolButton;

namespace ostrapel {

class Prompts;
class RecordCatalogue;
class Settings;

// "Excel export wizard": the person fields, the component fields (each checked
// and ordered in a list) and whether to keep the choice, on three pages.
class ExportWizardDialog : public QDialog {
    Q_OBJECT
public:
    ExportWizardDialog(const RecordCatalogue& catalogue, Settings& settings, Prompts& prompts,
                       QWidget* parent = nullptr);

    QString personFields() const { return personFields_; }
    QString componentFields() const { return componentFields_; }
    void showPage(int page);
    void done(int result) override;

    QStackedWidget* pcExcelExport;
    QListWidget* clb10ExportFields;
    QListWidget* clb50ExportFields;
    QToolButton* btn10Up;
    QToolButton* btn10Down;
    QToolButton* btn50Up;
    QToolButton* btn50Down;
    QCheckBox* dbSamenstellingOpslaan;
    QToolButton* sbPrev;
    QToolButton* sbNext;
    QToolButton* sbCancel;
    QToolButton* sbFinish;
    QStatusBar* stbHint; // the long hint of the field under the mouse

protected:
    bool event(QEvent* event) override;

private:
    QWidget* fieldPage(const QString& heading, QListWidget*& list, QToolButton*& up, QToolButton*& down,
                       int side);
    void fill(int side);
    void readBack(int side);
    void move(int side, bool up);
    void updateButtons();

    Settings& settings_;
    Prompts& prompts_;
    ExportFieldChoice choices_[2];
    QString personFields_;
    QString componentFields_;
};

} // namespace ostrapel
