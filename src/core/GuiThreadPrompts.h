#pragma once

#include "GuiThreadCalls.h"
#include "Prompts.h"

namespace ostrapel {

// Prompts for a worker thread: every box and dialog is shown by `target` on
// the GUI thread while the worker waits for the answer. After the calls are
// closed, questions get a refusal and file dialogs count as cancelled. The
// arguments are copied: a closed call may still be on screen when the worker
// has moved on.
class GuiThreadPrompts : public Prompts {
public:
    GuiThreadPrompts(Prompts& target, GuiThreadCalls& calls) : target_(target), calls_(calls) {}

    MsgButton message(MsgType type, const QString& text, MsgButtons buttons) override {
        return calls_.call<MsgButton>(
            [&t = target_, type, text, buttons] { return t.message(type, text, buttons); }, MsgButton::None);
    }
    std::optional<ConnectionEdit> editConnectionString(const QString& current, bool passwordInUse) override {
        return calls_.call<std::optional<ConnectionEdit>>(
            [&t = target_, current, passwordInUse] { return t.editConnectionString(current, passwordInUse); },
            std::nullopt);
    }
    QStringList openFileNames(const QString& caption, const QString& folder, const QString& filter) override {
        return calls_.call<QStringList>(
            [&t = target_, caption, folder, filter] { return t.openFileNames(caption, folder, filter); }, {});
    }
    QString saveFileName(const QString& caption, const QString& fileName, const QString& filter) override {
        return calls_.call<QString>(
            [&t = target_, caption, fileName, filter] { return t.saveFileName(caption, fileName, filter); },
            {});
    }

private:
    Prompts& target_;
    GuiThreadCalls& calls_;
};

} // namespace ostrapel
