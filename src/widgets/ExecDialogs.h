#pragma once

#include "Dialogs.h"

#include <QDialog>

namespace ostrapel {

// The program's dialogs: each runs its own modal loop.
class ExecDialogs : public Dialogs {
public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};

} // namespace ostrapel
