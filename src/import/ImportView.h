#pragma once

#include <QString>

namespace ostrapel {

// What the import shows while it runs: the import dialog's labels, progress
// bars, list box and status bar, or the headless command's output.
class ImportView {
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
};

} // namespace ostrapel
