#pragma once

class QDialog;

namespace ostrapel {

// Runs the program's own modal dialogs, so that tests can answer them without
// an event loop: `ExecDialogs` in the program, `test::ScriptedDialogs` in tests.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The dialog's result: QDialog::Accepted or QDialog::Rejected.
    virtual int run(QDialog& dialog) = 0;
};

} // namespace ostrapel
