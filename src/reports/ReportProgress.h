#pragma once

#include <QString>

namespace ostrapel {

// What the report driver tells the user while it works; the desktop shows it
// in the progress dialog, the command line and tests ignore or record it.
class ReportProgress {
public:
    virtual ~ReportProgress() = default;
    virtual void start(const QString& caption) = 0;
    virtual void setMessage(const QString& text) = 0;
    virtual void setMaximum(int maximum) = 0;
    // -1 advances by one step; any other value sets the position.
    virtual void setPosition(int value) = 0;
    virtual void setAnimated(bool on) = 0;
    virtual void finish() = 0;
};

class NullReportProgress : public ReportProgress {
public:
    void start(const QString&) override {}
    void setMessage(const QString&) override {}
    void setMaximum(int) override {}
    void setPosition(int) override {}
    void setAnimated(bool) override {}
    void finish() override {}
};

} // namespace ostrapel
