#include "MaintenanceCheck.h"

#include "ShellTexts.h"

#include "core/Prompts.h"

namespace ostrapel {

using namespace ShellTexts;

bool MaintenanceCheck::confirmMaintenance(const QString& word) {
    if (onNetwork_ && onNetwork_()) {
        if (!prompts_.askYesNo(MsgType::Confirmation, AskNetwork.arg(word))) {
            prompts_.inform(Aborted.arg(word));
            return false;
        }
    }
    if (windowCount_ && windowCount_() > 0) {
        const MsgButton answer =
            prompts_.message(MsgType::Warning, AskCloseWindows.arg(word), MsgButton::Yes | MsgButton::Abort);
        if (answer == MsgButton::Yes) return closeWindows_ ? closeWindows_() : false;
        prompts_.inform(Aborted.arg(word));
        return false;
    }
    return true;
}

} // namespace ostrapel
