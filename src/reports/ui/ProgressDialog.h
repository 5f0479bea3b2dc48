#pragma once

#include "reports/ReportProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace ostrapel {

// "Voortgang": the step a report is at and how far it got; repainted at once
// on every change, since the report does not return to the event loop.
class ProgressDialog : public QDialog, public ReportProgress {
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* parent = nullptr);

    void start(const QString& caption) override;
    void setMessage(const QString& text) override;
    void setMaximum(int maximum) override;
    void setPosition(int value) override;
    void setAnimated(bool on) override;
    void finish() override;

    QLabel* lblMessage;
    QProgressBar* progressBar;
    QLabel* animation;
};

} // namespace ostrapel
