#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace ostrapel {

class Connection;
class Prompts;

// Runs the update scripts of the SqlScripts folder: every line of a script is
// one statement, and each script runs in a transaction of its own. A script that ran gets ".bak", a failing
// one ".err", one that ran before (its ".bak" exists) ".ba" + the first free number.
class UpdateScriptRunner {
public:
    UpdateScriptRunner(Connection& connection, const QString& folder)
        : connection_(connection), folder_(folder) {}

    // Script names ("dbupdate*-01.sql") in name order.
    static QStringList findScripts(const QString& folder);

    // Shown lines of a script as they are added, and the row of each line once it ran.
    std::function<void(const QStringList& lines)> linesAdded;
    std::function<void(int row)> lineExecuted;

    // Runs the scripts in order and stops at the first failing statement.
    void run(const QStringList& names);
    // The closing question or failure message; true when start-up may go on.
    bool finish(Prompts& prompts) const;

    bool failed() const { return failedLine_ > 0; }
    QString failedScript() const { return failedScript_; }
    int failedLine() const { return failedLine_; }
    QString errorFileName() const { return errorName_; }
    int notRun() const { return notRun_; }

private:
    // Gives `name` the extension `extension` in place of ".sql"; false when that fails.
    bool renameTo(const QString& name, const QString& extension, QString* newName = nullptr) const;
    bool runScript(const QString& name, int* row);

    Connection& connection_;
    QString folder_;
    QString failedScript_;
    QString errorName_;
    int failedLine_ = 0;
    int notRun_ = 0;
};

} // namespace ostrapel
