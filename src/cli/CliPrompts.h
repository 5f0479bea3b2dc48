#pragma once

#include "core/Prompts.h"

#include <cstdio>

namespace ostrapel {

// The headless command never asks: messages go to standard error, questions
// are answered No, file dialogs are cancelled.
class CliPrompts : public Prompts {
public:
    MsgButton message(MsgType, const QString& text, MsgButtons buttons) override {
        QString t = text;
        t.remove(u'\r');
        std::fprintf(stderr, "%s\n", t.toUtf8().constData());
        if (buttons.testFlag(MsgButton::No)) return MsgButton::No;
        return MsgButton::Ok;
    }
    std::optional<QString> editConnectionString(const QString&) override { return std::nullopt; }
    QStringList openFileNames(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

} // namespace ostrapel
