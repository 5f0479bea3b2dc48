#pragma once

#include <QString>
#include <functional>

namespace ostrapel {

class Prompts;

// The check before import, clean-up, compact and backup: other users should
// have left, and open collectivity windows must close first.
class MaintenanceCheck {
public:
    MaintenanceCheck(Prompts& prompts, std::function<bool()> onNetwork, std::function<int()> windowCount,
                     std::function<bool()> closeWindows)
        : prompts_(prompts), onNetwork_(std::move(onNetwork)), windowCount_(std::move(windowCount)),
          closeWindows_(std::move(closeWindows)) {}

    bool confirmMaintenance(const QString& word);

private:
    Prompts& prompts_;
    std::function<bool()> onNetwork_;
    std::function<int()> windowCount_;
    std::function<bool()> closeWindows_;
};

} // namespace ostrapel
