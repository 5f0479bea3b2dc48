#pragma once

#include "widgets/Dialogs.h"

#include <QDialog>
#include <QStringList>
#include <functional>

namespace ostrapel::test {

// Dialogs that a test answers without a modal loop: each one shown is
// recorded by its objectName and handed to `answer`, which sets its widgets
// and gives its result; without an answer it is rejected.
class ScriptedDialogs : public Dialogs {
public:
    int run(QDialog& dialog) override {
        shown << dialog.objectName();
        return answer ? answer(dialog) : int(QDialog::Rejected);
    }

    std::function<int(QDialog&)> answer;
    QStringList shown;
};

} // namespace ostrapel::test
