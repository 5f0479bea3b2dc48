#pragma once

#include <QString>
#include <functional>

namespace ostrapel {

// Progress of a long run, shown in a small window by the desktop program.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    virtual void begin(const QString& title) = 0;
    virtual void step(const QString& text, int position, int maximum) = 0;
    virtual void end() = 0;
    // Runs work that reports no steps (an engine's copy); a window keeps a
    // busy indicator moving meanwhile. The work's exception comes out here.
    virtual void whileBusy(const std::function<void()>& work) { work(); }
};

class NullProgress : public ProgressReporter {
public:
    void begin(const QString&) override {}
    void step(const QString&, int, int) override {}
    void end() override {}
};

// Begins a progress run and ends it when the scope ends, also on errors.
class ProgressScope {
public:
    ProgressScope(ProgressReporter& progress, const QString& title) : p_(progress) { p_.begin(title); }
    ~ProgressScope() { p_.end(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    ProgressReporter& p_;
};

} // namespace ostrapel
