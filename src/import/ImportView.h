#pragma once

#include "core/ProgressReporter.h"

#include <QString>

namespace ostrapel {

// What the import shows while it runs: the import dialog's labels, progress
// bars, list box and status bar, or the headless command's output. As a
// progress run it shows one file's lines: its caption in lblStatus, the line
// bar and the counter panel, with the hourglass from begin to end.
class ImportView : public ProgressReporter {
public:
    virtual ~ImportView() = default;
    virtual void setCaption(const QString& text) = 0;
    virtual int addListEntry(const QString& text) = 0; // returns the entry's index
    virtual void replaceListEntry(int index, const QString& text) = 0;
    virtual void clearList() = 0;
    virtual void setGeneralStatus(const QString& text) = 0;      // lblStatusAlg
    virtual void setStatus(const QString& text) = 0;             // lblStatus
    virtual void setFileProgress(int position, int maximum) = 0; // pbAlg
    virtual void setLineProgress(int position, int maximum) = 0; // pbParse
    virtual void setCounterPanel(const QString& text) = 0;       // sbrMain
    virtual void setOkEnabled(bool enabled) = 0;
    virtual void setBusy(bool busy) = 0; // the hourglass
    // Lets the window handle pending events (the clean-up loop only).
    virtual void processEvents() = 0;

    void begin(const QString& caption) override {
        setBusy(true);
        setStatus(caption);
    }
    void setText(const QString& text) override { setCounterPanel(text); }
    void step(const QString& text, int position, int maximum) override {
        setLineProgress(position, maximum);
        setCounterPanel(text);
    }
    void end() override { setBusy(false); }
};

} // namespace ostrapel
