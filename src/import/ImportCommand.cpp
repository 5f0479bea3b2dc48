#include "ImportCommand.h"

#include "ZipArchive.h"

#include "core/Paths.h"
#include "core/Prompts.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace ostrapel {

using namespace ImportCommandTexts;

ImportCommand::ImportCommand(TStaticSettings& settings, Prompts& prompts, ImportCommandHooks hooks)
    : removableMedium(SingleRemovableMedium), settings_(settings), prompts_(prompts),
      hooks_(std::move(hooks)) {}

QStringList ImportCommand::MatchingFiles(const QString& folder, const QString& pattern) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        if (re.match(name).hasMatch()) out << name;
    return out;
}

QStringList ImportCommand::StatementFiles(const QString& folder) {
    return MatchingFiles(folder, StatementPattern) + MatchingFiles(folder, StandardStatementPattern);
}

void ImportCommand::RemoveFiles(const QString& folder, const QStringList& names) {
    for (const QString& name : names)
        QFile::remove(folder + name);
}

void ImportCommand::ActionImporterenExecute() {
    if (hooks_.confirmMaintenance && !hooks_.confirmMaintenance(QStringLiteral("importeren"))) return;
    if (hooks_.openWindowCount && hooks_.openWindowCount() > 0) {
        prompts_.inform(WindowsOpen);
        return;
    }
    const QString importDir = settings_.ImportDir();
    RemoveFiles(importDir, MatchingFiles(importDir, StatementPattern));

    QStringList list;
    auto cleanUp = [&] {
        // Every statement file this run unpacked goes, whatever happened.
        RemoveFiles(importDir, list + StatementFiles(importDir));
        if (hooks_.rebuildOpenList) hooks_.rebuildOpenList();
    };
    try {
        if (ChooseAndExtractArchives(ArchiveFilter) > 0) {
            list << StatementFiles(importDir);
            if (!list.isEmpty()) {
                list.sort();
                if (list.size() == 1)
                    hooks_.runImportDialog(importDir + list.first(), {});
                else
                    hooks_.runImportDialog(QString(), list);
                if (hooks_.convertToEuro) hooks_.convertToEuro();
            }
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
}

QString ImportCommand::StartFolder() const {
    const QString medium = removableMedium ? removableMedium() : QString();
    if (!medium.isEmpty()) return WithTrailingSlash(medium);
    const QString last = settings_.LastImportDir();
    const bool lastOnMedium = !last.isEmpty() && (last.startsWith(QStringLiteral("/media/")) ||
                                                  last.startsWith(QStringLiteral("/run/media/")));
    if (!last.isEmpty() && !lastOnMedium) return last;
    return settings_.ImportDir();
}

int ImportCommand::ChooseAndExtractArchives(const QString& filter) {
    const QStringList chosen = prompts_.openFileNames(QString(), StartFolder(), filter);
    if (chosen.isEmpty()) return 0;
    settings_.SetLastImportDir(WithTrailingSlash(QFileInfo(chosen.first()).absolutePath()));
    return ExtractArchives(chosen);
}

int ImportCommand::ExtractArchives(const QStringList& archives) {
    int count = 0;
    const QString importDir = settings_.ImportDir();
    for (const QString& archive : archives) {
        if (QFileInfo(archive).suffix().toLower() != QStringLiteral("zip")) continue;
        QString error;
        const int extracted = ZipArchive::extractAll(archive, importDir, &error);
        if (extracted < 0) {
            prompts_.error(ArchiveDamaged.arg(QFileInfo(archive).fileName(), error));
            continue;
        }
        if (extracted > 0) count += int(ZipArchive::entries(archive).size());
    }
    return count;
}

QString SingleRemovableMedium() {
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
