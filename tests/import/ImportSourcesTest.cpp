// Archives and the import command: unpacking without folder names, damaged
// archives, the start folder and emptying the Import folder.
#include "ImportFixture.h"
#include "TestZip.h"
#include "core/OstrapelError.h"
#include "core/Settings.h"
#include "import/ImportCommand.h"
#include "import/ImportFolderLock.h"
#include "import/ZipArchive.h"
#include "import/ZipError.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <thread>
#include <unistd.h>

using namespace ostrapel;
using namespace ostrapel::ImportCommandTexts;
using ostrapel::test::writeZip;

namespace {

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
    hooks.removableMedium = [] { return QString(); };
    ImportCommand command(settings, prompts, hooks);
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

TEST_F(ImportSources, OfTwoEntriesWithOneNameTheLaterWins) {
    writeZip(src(QStringLiteral("000012001-01.zip")),
             {{"a/000012001-01.dat", "eerste"}, {"b/000012001-01.dat", "tweede"}});
    QStringList names;
    EXPECT_EQ(ZipArchive::extractAll(src(QStringLiteral("000012001-01.zip")), settings.importDir(), &names),
              1);
    EXPECT_EQ(names, QStringList{QStringLiteral("000012001-01.dat")});
    EXPECT_EQ(QDir(settings.importDir()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("000012001-01.dat")});
    QFile f(settings.importDir() + QStringLiteral("000012001-01.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("tweede"));
}

// Every archive that cannot be unpacked says why in Dutch and leaves nothing behind.
TEST_F(ImportSources, ArchiveFailuresGiveADutchReasonAndLeaveNothing) {
    const QByteArray text = QByteArray("000012001-01 regel\r\n").repeated(400);
    writeZip(src(QStringLiteral("goed.zip")), {{"000012001-01.dat", text}, {"000012001-02.dat", text}});
    QFile good(src(QStringLiteral("goed.zip")));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    QByteArray crc = bytes;
    crc[60] = char(crc[60] ^ 0x55); // inside the first entry's compressed data
    QByteArray encrypted = bytes;
    encrypted[6] = char(encrypted[6] | 1); // general purpose flag: encrypted
    const int central = int(encrypted.indexOf("PK\x01\x02"));
    encrypted[central + 8] = char(encrypted[central + 8] | 1);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"kapot.zip", bytes.left(bytes.size() / 2), "geen zip-archief"},
        {"crc.zip", crc, "beschadigd"},
        {"versleuteld.zip", encrypted, "versleuteld"},
        {"tekst.zip", "geen archief", "geen zip-archief"},
    };
    for (const Case& c : cases) {
        QFile f(src(QString::fromLatin1(c.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        QString error;
        EXPECT_EQ(test::extractOrReason(f.fileName(), settings.importDir(), &error), -1) << c.name;
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.reason))) << c.name << ": " << error.toStdString();
        EXPECT_TRUE(QDir(settings.importDir()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << c.name;
    }
}

TEST_F(ImportSources, AnEntryThatUnpacksTooLargeIsRefused) {
    writeZip(src(QStringLiteral("bom.zip")),
             {{"000012001-01.dat", "klein"}, {"000012001-02.dat", QByteArray(1 << 20, '0')}});
    QString error;
    EXPECT_EQ(test::extractOrReason(src(QStringLiteral("bom.zip")), settings.importDir(), &error, nullptr,
                                    64 * 1024),
              -1);
    EXPECT_TRUE(error.contains(QStringLiteral("000012001-02.dat\" wordt uitgepakt groter dan")))
        << error.toStdString();
    EXPECT_TRUE(QDir(settings.importDir()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ImportSources, WhatTheRunUnpackedIsRemovedStatementOrNot) {
    writeZip(src(QStringLiteral("000012001-01.zip")), {{"000012001-01.dat", "x"}, {"lees mij.txt", "y"}});
    prompts.chosenFiles = {{src(QStringLiteral("000012001-01.zip"))}};
    ImportCommand command(settings, prompts, hooks);
    command.actionImporterenExecute();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(QDir(settings.importDir()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ImportSources, ASecondImportWaitsForTheFirstAndSaysSo) {
    auto first = std::make_unique<ImportFolderLock>(settings.importDir(), nullptr);
    ASSERT_TRUE(first->isLocked());
    QStringList told;
    bool secondLocked = false;
    std::thread other([&] {
        const ImportFolderLock second(settings.importDir(), [&](const QString& text) {
            told << text;
            first.reset(); // the first import ends
        });
        secondLocked = second.isLocked();
    });
    other.join();
    ASSERT_EQ(told.size(), 2);
    // whose lock it is, and since when
    EXPECT_TRUE(told[0].startsWith(WaitingForImport + QStringLiteral(" (proces %1 op ").arg(getpid())))
        << told[0].toStdString();
    EXPECT_EQ(told[1], QString());
    EXPECT_TRUE(secondLocked);
    EXPECT_FALSE(QFile::exists(ImportFolderLock::lockFilePath(settings.importDir())));
}

// A lock left by a crashed workstation cannot be seen to be stale: whose it
// is and since when is told, and a wait with a limit ends with that.
TEST_F(ImportSources, ALockOfAnotherWorkstationIsToldAndWaitedForOnlySoLong) {
    const QString lockPath = ImportFolderLock::lockFilePath(settings.importDir());
    QFile planted(lockPath);
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.write("4242\nostrapel\nwerkstation-7\n");
    planted.close();
    const QString since = QFileInfo(lockPath).lastModified().toString(QStringLiteral("dd-MM-yyyy hh:mm"));
    const QString holder = QStringLiteral("proces 4242 op werkstation-7, sinds ") + since;
    EXPECT_EQ(ImportFolderLock::holder(settings.importDir()), holder);
    QStringList told;
    try {
        const ImportFolderLock lock(
            settings.importDir(), [&](const QString& text) { told << text; }, 1);
        ADD_FAILURE() << "the lock was taken";
    } catch (const OstrapelError& e) {
        EXPECT_EQ(e.message(), ImportFolderStillHeld.arg(1).arg(holder));
    }
    EXPECT_EQ(told, QStringList{WaitingForImport + QStringLiteral(" (") + holder + u')'});
    EXPECT_TRUE(QFile::exists(lockPath));

    // the program offers to take the folder over after a while; the second offer is taken
    writeZip(src(QStringLiteral("000012001-01.zip")), {{"000012001-01.dat", "x"}});
    prompts.chosenFiles = {{src(QStringLiteral("000012001-01.zip"))}};
    prompts.answers = {MsgButton::No, MsgButton::Yes};
    hooks.offerTakeOverAfterMs = 50;
    ImportCommand(settings, prompts, hooks).actionImporterenExecute();
    EXPECT_EQ(prompts.texts(),
              (QStringList{TakeOverImportFolder.arg(holder), TakeOverImportFolder.arg(holder)}));
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(QFile::exists(lockPath));
}

TEST_F(ImportSources, TheFileDialogWaitsWithoutHoldingTheImportFolder) {
    struct Watching : test::ScriptedPrompts {
        QString lockFile;
        bool heldDuringDialog = true;
        QStringList openFileNames(const QString& caption, const QString& folder,
                                  const QString& filter) override {
            heldDuringDialog = QFile::exists(lockFile);
            return ScriptedPrompts::openFileNames(caption, folder, filter);
        }
    } watching;
    watching.lockFile = ImportFolderLock::lockFilePath(settings.importDir());
    writeZip(src(QStringLiteral("000012001-01.zip")), {{"000012001-01.dat", "x"}});
    watching.chosenFiles = {{src(QStringLiteral("000012001-01.zip"))}};
    bool heldDuringImport = false;
    hooks.runImportDialog = [&](const QString&, const QStringList&) {
        heldDuringImport = QFile::exists(watching.lockFile);
    };
    ImportCommand(settings, watching, hooks).actionImporterenExecute();
    EXPECT_FALSE(watching.heldDuringDialog);
    EXPECT_TRUE(heldDuringImport);
    EXPECT_FALSE(QFile::exists(watching.lockFile));
}

TEST_F(ImportSources, startFolder) {
    QString medium;
    hooks.removableMedium = [&] { return medium; };
    ImportCommand command(settings, prompts, hooks);
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

TEST_F(ImportSources, DroppedArchivesAndStatementFilesImportTogether) {
    writeZip(src(QStringLiteral("000013001-02.zip")), {{"000013001-02.dat", "x"}});
    const QString statement = src(QStringLiteral("000012001-01S.dat"));
    QFile plain(statement);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QFile other(src(QStringLiteral("notities.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    ImportCommand command(settings, prompts, hooks);

    // nothing importable among them: no question, no dialog, nothing touched
    command.importFiles({src(QStringLiteral("notities.txt")), src(QStringLiteral("weg.zip"))});
    EXPECT_TRUE(actions.isEmpty());
    EXPECT_EQ(rebuilds, 0);

    command.importFiles(
        {statement, src(QStringLiteral("notities.txt")), src(QStringLiteral("000013001-02.zip"))});
    EXPECT_EQ(actions, QStringList{QStringLiteral("importeren")});
    EXPECT_EQ(dialogs, 1);
    // the unpacked file by its name in the Import folder, the dropped one where it lies
    EXPECT_EQ(dialogNames, (QStringList{QStringLiteral("000013001-02.dat"), statement}));
    EXPECT_EQ(euroRuns, 1);
    EXPECT_TRUE(importFolder().isEmpty());
    EXPECT_TRUE(QFile::exists(statement));           // the user's own file stays
    EXPECT_TRUE(settings.lastImportDir().isEmpty()); // no file dialog was involved

    // one dropped statement goes as a single file
    command.importFiles({statement});
    EXPECT_EQ(dialogSingle, statement);
    EXPECT_EQ(dialogs, 2);
}
