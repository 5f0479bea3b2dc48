#pragma once

#include "core/Prompts.h"

#include "core/ProgressReporter.h"
#include <QDialog>

class QLabel;
class QProgressBar;

namespace ostrapel {

// The small, non-modal progress window of long database work.
class ProgressWindow : public QDialog, public ProgressReporter {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);
    void begin(const QString& title) override;
    void step(const QString& text, int position, int maximum) override;
    void end() override;
    // The work runs on a thread of its own while this one keeps the window painted.
    void whileBusy(const std::function<void()>& work) override;

private:
    QLabel* label_;
    QProgressBar* bar_;
};

} // namespace ostrapel
