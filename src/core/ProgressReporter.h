#pragma once

#include <QString>

namespace ostrapel {

// Progress of a long run, shown in a small window by the desktop program.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    virtual void begin(const QString& title) = 0;
    virtual void step(const QString& text, int position, int maximum) = 0;
    virtual void end() = 0;
};

class NullProgress : public ProgressReporter {
public:
    void begin(const QString&) override {}
    void step(const QString&, int, int) override {}
    void end() override {}
};

} // namespace ostrapel
