#pragma once

#include "core/OstrapelError.h"
#include "core/Prompts.h"

#include <exception>

namespace ostrapel {

// Runs one user command (a menu entry, a button, a key): an error it throws is
// shown with its Dutch message here, as Qt's event loop cannot carry exceptions.
template <class Command> void runGuarded(Prompts& prompts, Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        prompts.error(errorMessage(e));
    }
}

} // namespace ostrapel
