#pragma once

#include "core/Prompts.h"
#include "core/SaveFileName.h"

#include <QCoreApplication>
#include <QThread>

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace ostrapel::test {

// Prompts that a test answers in advance; every message is recorded. A
// question, editor or file dialog that nobody scripted fails the test, and so
// does an answer still waiting when the prompts go away. Messages with only an
// OK button are no questions: they are recorded and answered OK. Every call
// must come on the GUI thread, as boxes and dialogs can only be shown there.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        MsgType type;
        QString text;
        MsgButtons buttons;
    };

    ScriptedPrompts() = default;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;
    ~ScriptedPrompts() override { verifyAllUsed(); }

    MsgButton message(MsgType type, const QString& text, MsgButtons buttons) override {
        checkThread(text);
        messages.push_back({type, text, buttons});
        if ((buttons & ~MsgButtons(MsgButton::Ok)) == MsgButtons()) return MsgButton::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << text.toStdString();
            return refusal(buttons);
        }
        const MsgButton a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<ConnectionEdit> editConnectionString(const QString& current, bool passwordInUse) override {
        checkThread(QStringLiteral("connection-string editor"));
        editorCalls.push_back(current);
        editorPasswordInUse.push_back(passwordInUse);
        if (editedStrings.empty()) {
            ADD_FAILURE() << "unscripted connection-string editor";
            return std::nullopt;
        }
        std::optional<ConnectionEdit> value = editedStrings.front();
        editedStrings.pop_front();
        return value;
    }
    QStringList openFileNames(const QString&, const QString& folder, const QString&) override {
        checkThread(QStringLiteral("open dialog"));
        openFolders << folder;
        if (chosenFiles.empty()) {
            ADD_FAILURE() << "unscripted open dialog";
            return {};
        }
        QStringList files = chosenFiles.front();
        chosenFiles.pop_front();
        return files;
    }
    QString saveFileName(const QString&, const QString& start, const QString& filter) override {
        checkThread(QStringLiteral("save dialog"));
        saveStarts << start;
        saveFilters << filter;
        if (saveNames.empty()) {
            ADD_FAILURE() << "unscripted save dialog";
            return {};
        }
        QString name = saveNames.front();
        saveNames.pop_front();
        int chosen = 0;
        if (!saveFilterChoices.empty()) {
            chosen = saveFilterChoices.front();
            saveFilterChoices.pop_front();
        }
        return completeSaveName(name, filter, chosen); // as the program's dialog does
    }

    QStringList texts() const {
        QStringList out;
        for (const Message& m : messages)
            out << m.text;
        return out;
    }

    // Fails the test for every scripted answer nobody asked for, and forgets them.
    void verifyAllUsed() {
        for (MsgButton a : answers)
            ADD_FAILURE() << "unused answer " << int(a);
        for (const auto& s : editedStrings)
            ADD_FAILURE() << "unused connection string "
                          << (s ? s->connectionString : QStringLiteral("(cancel)")).toStdString();
        for (const QStringList& f : chosenFiles)
            ADD_FAILURE() << "unused file choice " << f.join(u',').toStdString();
        for (const QString& s : saveNames)
            ADD_FAILURE() << "unused save name " << s.toStdString();
        for (int f : saveFilterChoices)
            ADD_FAILURE() << "unused filter choice " << f;
        answers.clear();
        editedStrings.clear();
        chosenFiles.clear();
        saveNames.clear();
        saveFilterChoices.clear();
    }

    std::deque<MsgButton> answers;                           // one per question, in order
    std::deque<std::optional<ConnectionEdit>> editedStrings; // nullopt: the editor cancelled
    std::deque<QStringList> chosenFiles;                     // one per open dialog; empty: cancelled
    std::deque<QString> saveNames;                           // one per save dialog; empty: cancelled
    std::deque<int> saveFilterChoices; // the filter entry chosen with each name; none: the first
    std::vector<Message> messages;
    QStringList editorCalls;         // the string each editor was given
    QList<bool> editorPasswordInUse; // and whether it was told of a password
    QStringList openFolders;
    QStringList saveStarts; // the folder or name each save dialog started with
    QStringList saveFilters;

private:
    static void checkThread(const QString& what) {
        const QCoreApplication* app = QCoreApplication::instance();
        if (app && QThread::currentThread() != app->thread())
            ADD_FAILURE() << "prompt off the GUI thread: " << what.toStdString();
    }
    static MsgButton refusal(MsgButtons buttons) {
        for (MsgButton b : {MsgButton::No, MsgButton::Cancel, MsgButton::Abort})
            if (buttons.testFlag(b)) return b;
        return MsgButton::None;
    }
};

} // namespace ostrapel::test
