#pragma once

namespace ostrapel {

class Desktop;
class Dialogs;
class PrinterService;
class ProgramHost;
class Prompts;

// The services the main window and the windows it opens are given: the
// program's own in `app`, doubles in tests.
struct ShellServices {
    Prompts& prompts;
    PrinterService& printer;
    Desktop& desktop;
    Dialogs& dialogs;
    ProgramHost& host;
};

} // namespace ostrapel
