#pragma once

#include "ImportView.h"

namespace ostrapel {

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
