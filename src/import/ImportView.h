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

class SilentImportView : public ImportView {
public:
    void setCaption(const QString&) override {}
    int addListEntry(const QString&) override { return entries_++; }
    void replaceListEntry(int, const QString&) override {}
    void clearList() override { entries_ = 0; }
    void setGeneralStatus(const QString&) override {}
    void setStatus(const QString&) override {}
    void setFileProgress(int, int) override {}
    void setLineProgress(int, int) override {}
    void setCounterPanel(const QString&) override {}
    void setOkEnabled(bool) override {}
    void setBusy(bool) override {}
    void processEvents() override {}

private:
    int entries_ = 0;
};

} // namespace ostrapel
