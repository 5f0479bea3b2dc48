#pragma once

#include "maintenance/UpdateScriptRunner.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace ostrapel {

class Connection;
class Prompts;

// "Updatescripts": the lines of every script, ticked as they run; the closing
// button appears when the run is over and closes with OK or Abort.
class UpdateScriptsDialog : public QDialog {
    Q_OBJECT
public:
    UpdateScriptsDialog(Connection& connection, const QString& folder, const QStringList& names,
                        Prompts& prompts, QWidget* parent = nullptr);

    // The run; it starts by itself once the dialog is visible and runs once.
    void runScripts();
    bool succeeded() const { return succeeded_; }
    QListWidget* scriptLines() const { return clbScriptLines; }
    QPushButton* closeButton() const { return btnAfsluiten; }

public slots:
    void reject() override; // Escape does nothing while the scripts run

protected:
    void showEvent(QShowEvent* event) override;

private:
    UpdateScriptRunner runner_;
    QStringList names_;
    Prompts& prompts_;
    bool started_ = false;
    bool finished_ = false;
    bool succeeded_ = false;
    QListWidget* clbScriptLines;
    QPushButton* btnAfsluiten;
};

} // namespace ostrapel
