#include "ImportCommand.h"

#include "ImportFolderLock.h"
#include "ZipArchive.h"
#include "ZipError.h"

#include "core/Paths.h"
#include "core/Prompts.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace ostrapel {

using namespace ImportCommandTexts;

ImportCommand::ImportCommand(Settings& settings, Prompts& prompts, ImportCommandHooks hooks)
    : settings_(settings), prompts_(prompts), hooks_(std::move(hooks)) {}

QStringList ImportCommand::matchingFiles(const QString& folder, const QString& pattern) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        if (re.match(name).hasMatch()) out << name;
    return out;
}

QStringList ImportCommand::statementFiles(const QString& folder) {
    return matchingFiles(folder, StatementPattern) + matchingFiles(folder, StandardStatementPattern);
}

bool ImportCommand::isStatementFile(const QString& name) {
    for (const QString& pattern : {StatementPattern, StandardStatementPattern}) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch()) return true;
    }
    return false;
}

void ImportCommand::removeFiles(const QString& folder, const QStringList& names) {
    for (const QString& name : names)
        QFile::remove(folder + name);
}

bool ImportCommand::mayImport() {
    if (hooks_.confirmMaintenance && !hooks_.confirmMaintenance(QStringLiteral("importeren"))) return false;
    if (hooks_.openWindowCount && hooks_.openWindowCount() > 0) {
        prompts_.inform(WindowsOpen);
        return false;
    }
    return true;
}

void ImportCommand::actionImporterenExecute() {
    if (!mayImport()) return;
    importChosen(chooseArchives(ArchiveFilter), {});
}

QStringList ImportCommand::importableFiles(const QStringList& paths) {
    QStringList out;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        const QString suffix = info.suffix().toLower();
        if (info.isFile() && (suffix == QStringLiteral("zip") || suffix == QStringLiteral("dat")))
            out << info.absoluteFilePath();
    }
    return out;
}

void ImportCommand::importFiles(const QStringList& files) {
    QStringList archives, statements;
    for (const QString& file : importableFiles(files))
        (QFileInfo(file).suffix().toLower() == QStringLiteral("zip") ? archives : statements) << file;
    if (archives.isEmpty() && statements.isEmpty()) return;
    if (!mayImport()) return;
    importChosen(archives, statements);
}

// The import of chosen archives and statement files (full paths; read where they are).
void ImportCommand::importChosen(const QStringList& archives, const QStringList& statements) {
    const QString importDir = settings_.importDir();
    // One import at a time uses the Import folder; it is held from here on,
    // not while the file dialog waits for the user.
    ImportFolderLock lock(
        importDir, hooks_.showStatus, -1,
        [this](const QString& holder) {
            return prompts_.askYesNo(MsgType::Warning, TakeOverImportFolder.arg(holder));
        },
        hooks_.offerTakeOverAfterMs);
    removeFiles(importDir, matchingFiles(importDir, StatementPattern));

    QStringList list;
    auto cleanUp = [&] {
        // Every statement file this run unpacked goes, whatever happened, and
        // so does anything else it unpacked; statement files given by path stay.
        removeFiles(importDir, list + statementFiles(importDir) + unpacked_);
        if (hooks_.rebuildOpenList) hooks_.rebuildOpenList();
    };
    try {
        if (!archives.isEmpty() && extractArchives(archives) > 0) list << statementFiles(importDir);
        list.sort();
        QStringList given = statements;
        given.sort();
        const QStringList all = list + given;
        if (!all.isEmpty()) {
            if (all.size() == 1)
                hooks_.runImportDialog(list.isEmpty() ? all.first() : importDir + all.first(), {});
            else
                hooks_.runImportDialog(QString(), all);
            if (hooks_.convertToEuro) hooks_.convertToEuro();
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
}

QString ImportCommand::startFolder() const {
    const QString medium = hooks_.removableMedium ? hooks_.removableMedium() : QString();
    if (!medium.isEmpty()) return withTrailingSlash(medium);
    const QString last = settings_.lastImportDir();
    const bool lastOnMedium = !last.isEmpty() && (last.startsWith(QStringLiteral("/media/")) ||
                                                  last.startsWith(QStringLiteral("/run/media/")));
    if (!last.isEmpty() && !lastOnMedium) return last;
    return settings_.importDir();
}

int ImportCommand::chooseAndExtractArchives(const QString& filter) {
    const QStringList chosen = chooseArchives(filter);
    return chosen.isEmpty() ? 0 : extractArchives(chosen);
}

QStringList ImportCommand::chooseArchives(const QString& filter) {
    const QStringList chosen = prompts_.openFileNames(QString(), startFolder(), filter);
    if (!chosen.isEmpty())
        settings_.setLastImportDir(withTrailingSlash(QFileInfo(chosen.first()).absolutePath()));
    return chosen;
}

int ImportCommand::extractArchives(const QStringList& archives) {
    int count = 0;
    const QString importDir = settings_.importDir();
    for (const QString& archive : archives) {
        if (QFileInfo(archive).suffix().toLower() != QStringLiteral("zip")) continue;
        QStringList names;
        int extracted = 0;
        try {
            extracted = ZipArchive::extractAll(archive, importDir, &names);
        } catch (const ZipError& e) {
            prompts_.error(ArchiveDamaged.arg(QFileInfo(archive).fileName(), e.message()));
            damaged_ << archive;
            continue;
        }
        unpacked_ << names;
        if (std::none_of(names.begin(), names.end(), isStatementFile)) fruitless_ << archive;
        if (extracted > 0) count += int(ZipArchive::entries(archive).size());
    }
    return count;
}

QString singleRemovableMedium() {
    QFile mounts(QStringLiteral("/proc/mounts"));
    if (!mounts.open(QIODevice::ReadOnly)) return {};
    const QString user = qEnvironmentVariable("USER");
    QStringList found;
    for (const QByteArray& line : mounts.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() < 2) continue;
        const QString point =
            QString::fromLocal8Bit(parts[1]).replace(QStringLiteral("\\040"), QStringLiteral(" "));
        for (const QString& base : {QStringLiteral("/media/"), QStringLiteral("/run/media/")}) {
            if (!point.startsWith(base)) continue;
            // /media/<medium> or /media/<user>/<medium>
            const QStringList rest = point.mid(base.size()).split(u'/', Qt::SkipEmptyParts);
            if (rest.size() == 1 || (rest.size() == 2 && rest[0] == user)) found << point;
        }
    }
    return found.size() == 1 && QFileInfo(found.first()).isReadable() ? found.first() : QString();
}

} // namespace ostrapel
