#include "UpdateScriptRunner.h"

#include "MaintenanceTexts.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/Encoding.h"
#include "core/Prompts.h"
#include "core/SqlScript.h"
#include "core/StatementDatabase.h"
#include "core/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ostrapel {

using namespace MaintenanceTexts;

QStringList UpdateScriptRunner::findScripts(const QString& folder) {
    const QString pattern = ScriptPattern.arg(ApplicationDbVersion, 2, 10, QChar(u'0'));
    // in name order, whatever order the file system keeps them in
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

bool UpdateScriptRunner::renameTo(const QString& name, const QString& extension, QString* newName) const {
    const QString target = QFileInfo(name).completeBaseName() + extension;
    if (newName) *newName = target;
    const QDir dir(folder_);
    // A name that is taken stays taken: the script stays and is found again next time.
    return !QFileInfo::exists(dir.filePath(target)) &&
           QFile::rename(dir.filePath(name), dir.filePath(target));
}

void UpdateScriptRunner::run(const QStringList& names) {
    failedScript_.clear();
    errorName_.clear();
    failedLine_ = 0;
    notRun_ = 0;
    int row = 0;
    for (const QString& name : names) {
        const QString stem = QFileInfo(name).completeBaseName();
        if (QFileInfo::exists(QDir(folder_).filePath(stem + QStringLiteral(".bak")))) {
            for (int n = 0;; ++n) {
                const QString extension = QStringLiteral(".ba%1").arg(n);
                if (QFileInfo::exists(QDir(folder_).filePath(stem + extension))) continue;
                renameTo(name, extension);
                break;
            }
            ++notRun_;
            continue;
        }
        if (!runScript(name, &row)) return;
        renameTo(name, QStringLiteral(".bak"));
    }
}

bool UpdateScriptRunner::runScript(const QString& name, int* row) {
    QFile file(QDir(folder_).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        failedScript_ = name;
        failedLine_ = 1;
        renameTo(name, QStringLiteral(".err"), &errorName_);
        return false;
    }
    QStringList lines = decodeCp1252(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast(); // the final line break
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    if (linesAdded) linesAdded(lines);
    // One transaction per script: a kill leaves nothing of it, so that it can
    // run again from its first line. A failing line is undone on its own
    // (a savepoint), and the lines before it are kept.
    Transaction transaction(connection_);
    for (int i = 0; i < lines.size(); ++i, ++*row) {
        try {
            connection_.execute(QStringLiteral("SAVEPOINT scriptline"));
            // Blank lines run nothing; a line may end with ";".
            for (const QString& statement : splitSqlScript(lines[i]))
                connection_.execute(statement);
            connection_.execute(QStringLiteral("RELEASE SAVEPOINT scriptline"));
        } catch (const DatabaseError&) {
            connection_.execute(QStringLiteral("ROLLBACK TO SAVEPOINT scriptline"));
            transaction.commit();
            failedScript_ = name;
            failedLine_ = i + 1;
            renameTo(name, QStringLiteral(".err"), &errorName_);
            return false;
        }
        if (lineExecuted) lineExecuted(*row);
    }
    transaction.commit();
    return true;
}

bool UpdateScriptRunner::finish(Prompts& prompts) const {
    if (failed()) {
        prompts.error(ScriptFailure.arg(failedScript_).arg(failedLine_).arg(errorName_));
        return false;
    }
    if (notRun_ > 0)
        return prompts.message(MsgType::Warning, ScriptsRunBefore, MsgButton::Yes | MsgButton::Abort) ==
               MsgButton::Yes;
    return true;
}

} // namespace ostrapel
