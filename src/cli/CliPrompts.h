#pragma once

#include "core/Prompts.h"

#include <cstdio>

namespace ostrapel {

// The headless command never asks: messages go to standard error, questions
// are answered No (or Yes, when told), file dialogs are cancelled.
class CliPrompts : public Prompts {
public:
    MsgButton message(MsgType, const QString& text, MsgButtons buttons) override {
        QString t = text;
        t.remove(u'\r');
        std::fprintf(stream, "%s\n", t.toUtf8().constData());
        if (buttons.testFlag(MsgButton::Yes) && answerYes) return MsgButton::Yes;
        if (buttons.testFlag(MsgButton::No)) return MsgButton::No;
        return MsgButton::Ok;
    }
    std::optional<ConnectionEdit> editConnectionString(const QString&, bool) override { return std::nullopt; }
    QStringList openFileNames(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }

    FILE* stream = stderr;
    bool answerYes = false;
};

} // namespace ostrapel
