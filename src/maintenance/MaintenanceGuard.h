#pragma once

#include <QString>
#include <functional>

namespace ostrapel {

// What a maintenance command asks of the main window: the check that other
// users have left and the collectivity windows are closed, and how many of
// those windows are still open. Empty hooks mean "no windows".
struct MaintenanceGuard {
    std::function<bool(const QString& word)> confirmMaintenance;
    std::function<int()> openWindowCount;

    int windowCount() const { return openWindowCount ? openWindowCount() : 0; }
    bool confirm(const QString& word) const { return !confirmMaintenance || confirmMaintenance(word); }
};

} // namespace ostrapel
