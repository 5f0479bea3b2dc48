#pragma once

#include <QString>
#include <functional>

namespace ostrapel {

// Progress of a long run: the reports, the engine's maintenance, an import's
// file. The desktop shows it in its progress window (or the import dialog),
// the command line and tests ignore or record it. A reporter shows what it
// can and ignores the rest.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    // Shows the run under its caption, busy until it is given a maximum;
    // the desktop shows the busy cursor until end().
    virtual void begin(const QString& caption) = 0;
    virtual void setText(const QString& /*text*/) {}
    virtual void setMaximum(int /*maximum*/) {}
    // -1 advances by one step; any other value sets the position.
    virtual void setPosition(int /*value*/) {}
    // A picture that says the run is searching (a report gathering its data).
    virtual void setAnimated(bool /*on*/) {}
    // Text, position and maximum at once; a window lets its paint events through.
    virtual void step(const QString& text, int position, int maximum) {
        setText(text);
        setMaximum(maximum);
        setPosition(position);
    }
    // Runs work that reports no steps (an engine's copy); a window keeps a
    // busy indicator moving meanwhile. The work's exception comes out here.
    virtual void whileBusy(const std::function<void()>& work) { work(); }
    virtual void end() = 0;
};

class NullProgress : public ProgressReporter {
public:
    void begin(const QString&) override {}
    void end() override {}
};

// Begins a progress run and ends it when the scope ends, also on an
// exception: the one guard for a progress window, its busy cursor, or the
// import dialog's hourglass.
class ProgressScope {
public:
    ProgressScope(ProgressReporter& progress, const QString& caption) : p_(progress) { p_.begin(caption); }
    ~ProgressScope() { p_.end(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    ProgressReporter& p_;
};

} // namespace ostrapel
