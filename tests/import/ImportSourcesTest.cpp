// Archives and the import command: unpacking without folder names, damaged
// archives, the start folder and emptying the Import folder.
#include "ImportFixture.h"
#include "core/Settings.h"
#include "import/ImportCommand.h"
#include "import/ZipArchive.h"

#include <QFile>
#include <zip.h>

using namespace ostrapel;
using namespace ostrapel::ImportCommandTexts;

namespace {

// An archive whose entries carry the given names.
void writeZip(const QString& path, const QList<QPair<QByteArray, QByteArray>>& entries) {
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(z, nullptr);
    for (const auto& e : entries) {
        if (e.first.endsWith('/')) {
            ASSERT_GE(zip_dir_add(z, e.first.constData(), 0), 0);
            continue;
        }
        char* copy = static_cast<char*>(malloc(size_t(e.second.size()) + 1));
        memcpy(copy, e.second.constData(), size_t(e.second.size()));
        zip_source_t* s = zip_source_buffer(z, copy, zip_uint64_t(e.second.size()), 1);
        ASSERT_GE(zip_file_add(z, e.first.constData(), s, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

class ImportSources : public test::ImportFixture {
protected:
    void SetUp() override {
        ImportFixture::SetUp();
        QDir().mkpath(dir.filePath(QStringLiteral("src")));
        hooks.confirmMaintenance = [this](const QString& action) {
            actions << action;
            return maintenanceOk;
        };
        hooks.openWindowCount = [this] { return openWindows; };
        hooks.runImportDialog = [this](const QString& single, const QStringList& names) {
            dialogSingle = single;
            dialogNames = names;
            ++dialogs;
            importFolderDuringDialog = QDir(settings.importDir()).entryList(QDir::Files, QDir::Name);
        };
        hooks.convertToEuro = [this] { ++euroRuns; };
        hooks.rebuildOpenList = [this] { ++rebuilds; };
    }
    QString src(const QString& name) const { return dir.filePath(QStringLiteral("src/") + name); }
    QStringList importFolder() const { return QDir(settings.importDir()).entryList(QDir::Files, QDir::Name); }

    Settings settings{dir.path()};
    ImportCommandHooks hooks;
    bool maintenanceOk = true;
    int openWindows = 0, dialogs = 0, euroRuns = 0, rebuilds = 0;
    QString dialogSingle;
    QStringList dialogNames, actions, importFolderDuringDialog;
};

} // namespace

TEST_F(ImportSources, EntriesLandWithoutTheirFolderNames) {
    writeZip(src(QStringLiteral("000012001-01.zip")),
             {{"../x.dat", "a"}, {"/etc/y", "b"}, {"map\\sub\\z.dat", "c"}, {"dir/", ""}});
    EXPECT_EQ(ZipArchive::extractAll(src(QStringLiteral("000012001-01.zip")), settings.importDir()), 3);
    EXPECT_EQ(importFolder(),
              (QStringList{QStringLiteral("x.dat"), QStringLiteral("y"), QStringLiteral("z.dat")}));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.dat"))));
    // overwriting a file of the same name
    writeZip(src(QStringLiteral("b.zip")), {{"x.dat", "nieuw"}});
    EXPECT_EQ(ZipArchive::extractAll(src(QStringLiteral("b.zip")), settings.importDir()), 1);
    QFile f(settings.importDir() + QStringLiteral("x.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("nieuw"));
    EXPECT_EQ(checkZipLibraries(), ZipCheck::Ok);
    EXPECT_THROW(ZipArchive::entries(src(QStringLiteral("bestaat-niet.zip"))), ZipError);
}

TEST_F(ImportSources, TwoArchivesImportInOneRunInNameOrder) {
    writeZip(src(QStringLiteral("000013001-02.zip")), {{"000013001-02.dat", "x"}});
    writeZip(src(QStringLiteral("000012001-01S.zip")), {{"000012001-01S.dat", "y"}});
    QFile::copy(src(QStringLiteral("000013001-02.zip")),
                dir.filePath(QStringLiteral("Import/000011001-01S.dat"))); // a leftover S file
    prompts.chosenFiles = {
        {src(QStringLiteral("000013001-02.zip")), src(QStringLiteral("000012001-01S.zip"))}};
    ImportCommand command(settings, prompts, hooks);
    command.removableMedium = [] { return QString(); };
    command.actionImporterenExecute();
    EXPECT_EQ(actions, QStringList{QStringLiteral("importeren")});
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(dialogNames,
              (QStringList{QStringLiteral("000011001-01S.dat"), QStringLiteral("000012001-01S.dat"),
                           QStringLiteral("000013001-02.dat")}));
    EXPECT_EQ(euroRuns, 1);
    EXPECT_EQ(rebuilds, 1);
    EXPECT_TRUE(importFolder().isEmpty());
    EXPECT_EQ(settings.lastImportDir(), dir.filePath(QStringLiteral("src")) + u'/');
}

TEST_F(ImportSources, OneStatementGoesAsASingleFile) {
    writeZip(src(QStringLiteral("000012001-01.zip")), {{"000012001-01.dat", "x"}});
    prompts.chosenFiles = {{src(QStringLiteral("000012001-01.zip"))}};
    ImportCommand command(settings, prompts, hooks);
    command.actionImporterenExecute();
    EXPECT_EQ(dialogSingle, settings.importDir() + QStringLiteral("000012001-01.dat"));
    EXPECT_TRUE(dialogNames.isEmpty());
    EXPECT_EQ(importFolderDuringDialog, QStringList{QStringLiteral("000012001-01.dat")});
}

TEST_F(ImportSources, NothingHappensWithoutArchivesOrWithWindowsOpen) {
    QFile leftover(dir.filePath(QStringLiteral("Import/000012001-01.dat")));
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    // declined maintenance check: nothing deleted, no dialog
    maintenanceOk = false;
    ImportCommand command(settings, prompts, hooks);
    command.actionImporterenExecute();
    EXPECT_EQ(importFolder(), QStringList{QStringLiteral("000012001-01.dat")});

    maintenanceOk = true;
    openWindows = 1;
    command.actionImporterenExecute();
    EXPECT_EQ(prompts.texts(), QStringList{WindowsOpen});
    EXPECT_EQ(importFolder(), QStringList{QStringLiteral("000012001-01.dat")});

    // only files that are not archives: no dialog
    openWindows = 0;
    QFile plain(src(QStringLiteral("000012001-01.dat")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    prompts.chosenFiles = {{src(QStringLiteral("000012001-01.dat"))}};
    command.actionImporterenExecute();
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(importFolder().isEmpty()); // the leftover went in step 3
    EXPECT_EQ(rebuilds, 1);

    // cancelled file dialog
    prompts.chosenFiles.push_back({});
    command.actionImporterenExecute();
    EXPECT_EQ(dialogs, 0);
}

TEST_F(ImportSources, DamagedArchiveContributesNothing) {
    writeZip(src(QStringLiteral("000012001-01.zip")), {{"000012001-01.dat", QByteArray(5000, 'x')}});
    QFile f(src(QStringLiteral("000012001-01.zip")));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    bytes.truncate(bytes.size() / 2);
    f.resize(0);
    f.write(bytes);
    f.close();
    prompts.chosenFiles = {{src(QStringLiteral("000012001-01.zip"))}};
    ImportCommand command(settings, prompts, hooks);
    command.actionImporterenExecute();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_TRUE(prompts.messages[0].text.startsWith(
        QStringLiteral("Het archief \"000012001-01.zip\" kon niet worden uitgepakt")));
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(importFolder().isEmpty());
}

TEST_F(ImportSources, startFolder) {
    ImportCommand command(settings, prompts, hooks);
    QString medium;
    command.removableMedium = [&] { return medium; };
    EXPECT_EQ(command.startFolder(), settings.importDir());
    settings.setLastImportDir(QStringLiteral("/data/borderellen/"));
    EXPECT_EQ(command.startFolder(), QStringLiteral("/data/borderellen/"));
    medium = QStringLiteral("/media/piet/DISK");
    EXPECT_EQ(command.startFolder(), QStringLiteral("/media/piet/DISK/"));
    medium.clear();
    settings.setLastImportDir(QStringLiteral("/media/piet/DISK/"));
    EXPECT_EQ(command.startFolder(), settings.importDir()); // a medium no longer there
    prompts.chosenFiles.push_back({});                      // cancelled
    command.chooseAndExtractArchives(ArchiveFilter);
    EXPECT_EQ(prompts.openFolders.last(), settings.importDir());
}
