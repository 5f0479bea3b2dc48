#pragma once

#include "ImportView.h"

#include <QElapsedTimer>
#include <QObject>
#include <optional>
#include <utility>

namespace ostrapel {

// The view an import on a worker thread reports to: every call becomes a
// signal, delivered to the real view on its own thread. Line progress and the
// counter panel come every few dozen lines; only their latest values are
// passed on, at most every 50 ms, so the GUI thread is not flooded.
class ImportViewRelay : public QObject, public ImportView {
    Q_OBJECT
public:
    explicit ImportViewRelay(QObject* parent = nullptr) : QObject(parent) {}

    // Delivers the signals to `target` on the thread of `context`.
    void connectTo(ImportView& target, QObject* context);
    // Passes on the progress still held back.
    void flush();

    void setCaption(const QString& text) override;
    int addListEntry(const QString& text) override;
    void replaceListEntry(int index, const QString& text) override;
    void clearList() override;
    void setGeneralStatus(const QString& text) override;
    void setStatus(const QString& text) override;
    void setFileProgress(int position, int maximum) override;
    void setLineProgress(int position, int maximum) override;
    void setCounterPanel(const QString& text) override;
    void setOkEnabled(bool enabled) override;
    void setBusy(bool busy) override;
    // The GUI thread handles its own events.
    void processEvents() override {}

signals:
    void captionSet(const QString& text);
    void listEntryAdded(const QString& text);
    void listEntryReplaced(int index, const QString& text);
    void listCleared();
    void generalStatusSet(const QString& text);
    void statusSet(const QString& text);
    void fileProgressSet(int position, int maximum);
    void lineProgressSet(int position, int maximum);
    void counterPanelSet(const QString& text);
    void okEnabledSet(bool enabled);
    void busySet(bool busy);

private:
    void flushWhenDue();

    static constexpr int kIntervalMs = 50;
    int entries_ = 0; // the target's list mirrors these calls, so indexes are known here
    std::optional<std::pair<int, int>> pendingLine_;
    std::optional<QString> pendingPanel_;
    QElapsedTimer sinceFlush_;
};

} // namespace ostrapel
