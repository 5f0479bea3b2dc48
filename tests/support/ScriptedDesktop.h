#pragma once

#include "core/Desktop.h"

#include <QList>
#include <QUrl>

#include <deque>
#include <gtest/gtest.h>

namespace ostrapel::test {

// A desktop that a test answers in advance: each open takes the next answer
// (true: a program took it). An open nobody scripted fails the test, and so
// does an answer still waiting when the desktop goes away.
class ScriptedDesktop : public Desktop {
public:
    ScriptedDesktop() = default;
    ScriptedDesktop(const ScriptedDesktop&) = delete;
    ScriptedDesktop& operator=(const ScriptedDesktop&) = delete;
    ~ScriptedDesktop() override {
        for (bool a : answers)
            ADD_FAILURE() << "unused desktop answer " << a;
    }

    bool openUrl(const QUrl& url) override {
        opened << url;
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted open of " << url.toString().toStdString();
            return false;
        }
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    std::deque<bool> answers;
    QList<QUrl> opened;
};

} // namespace ostrapel::test
