#pragma once

#include "core/Prompts.h"

#include <deque>
#include <vector>

namespace ostrapel::test {

// Prompts that a test answers in advance; every message is recorded.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        MsgType type;
        QString text;
        MsgButtons buttons;
    };

    MsgButton message(MsgType type, const QString& text, MsgButtons buttons) override {
        messages.push_back({type, text, buttons});
        if (answers.empty()) return buttons.testFlag(MsgButton::Ok) ? MsgButton::Ok : MsgButton::None;
        const MsgButton a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> editConnectionString(const QString& current) override {
        editorCalls.push_back(current);
        if (editedStrings.empty()) return std::nullopt;
        const bool has = editedStrings.front().has_value();
        const QString value = has ? *editedStrings.front() : QString();
        editedStrings.pop_front();
        if (!has) return std::nullopt;
        return value;
    }
    QStringList openFileNames(const QString&, const QString& folder, const QString&) override {
        openFolders << folder;
        QStringList files = nextFiles;
        nextFiles.clear();
        return files;
    }
    QString saveFileName(const QString&, const QString&, const QString&) override { return nextSaveName; }

    QStringList texts() const {
        QStringList out;
        for (const Message& m : messages)
            out << m.text;
        return out;
    }

    std::deque<MsgButton> answers;
    std::deque<std::optional<QString>> editedStrings;
    std::vector<Message> messages;
    QStringList editorCalls;
    QStringList nextFiles;
    QStringList openFolders;
    QString nextSaveName;
};

} // namespace ostrapel::test
