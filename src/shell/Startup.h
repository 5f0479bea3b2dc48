#pragma once

#include <functional>

class QString;

namespace ostrapel {

class PasswordStore;
class MainWindow;
struct ShellServices;

struct StartupHooks {
    std::function<void(const QString&)> splashStatus; // the splash window's status label
    std::function<void()> splashDone;                 // the main window is shown: destroy the splash
    std::function<void(MainWindow&)> mainWindowReady; // e.g. connect the single-instance notification
    std::function<int(MainWindow&)> runLoop;          // the user-interface loop
};

// Start-up from the data module to the end of the loop, under one error
// handler: an error that escapes is appended to the run log, shown, and ends
// the program. Returns the exit code.
int runProgram(const QString& programDir, PasswordStore& passwords, const ShellServices& services,
               const StartupHooks& hooks);

} // namespace ostrapel
