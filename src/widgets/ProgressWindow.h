#pragma once

#include "core/ProgressReporter.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace ostrapel {

// "Voortgang": the small, non-modal progress window of the reports and the
// database's maintenance. It is repainted at once on every change, since the
// work keeps the event loop waiting; the busy cursor shows from begin to end.
class ProgressWindow : public QDialog, public ProgressReporter {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void begin(const QString& caption) override;
    void setText(const QString& text) override;
    void setMaximum(int maximum) override;
    void setPosition(int value) override;
    void setAnimated(bool on) override;
    void step(const QString& text, int position, int maximum) override;
    // The work runs on a thread of its own while this one keeps the window painted.
    void whileBusy(const std::function<void()>& work) override;
    void end() override;

    QLabel* lblMessage;
    QProgressBar* progressBar;
    QLabel* animation;
};

} // namespace ostrapel
