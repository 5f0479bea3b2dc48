// The information file: its name, its lines and the libraries with their paths.
#include "maintenance/SystemInformation.h"
#include "TestProgramDir.h"
#include "core/Encoding.h"
#include "core/OstrapelError.h"
#include "core/Settings.h"
#include "maintenance/ElfNeededLibraries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ostrapel;

namespace {

// The value after "Label : " of the line that starts with `label`.
QString valueOf(const QStringList& lines, const QString& label) {
    for (const QString& line : lines)
        if (line.startsWith(label)) return line.mid(line.indexOf(QStringLiteral(": ")) + 2);
    return QStringLiteral("<geen regel>");
}

} // namespace

TEST(SystemInformationTest, WritesTheFileOfThisComputerWithTheLibrariesAndTheirPaths) {
    test::TestProgramDir dir;
    Settings settings(dir.path());
    SystemInformation info(settings.infoDir());
    const QString program = QCoreApplication::applicationFilePath();
    const QString path = info.writeProgramInfo(program);
    EXPECT_EQ(path, settings.infoDir() + QFileInfo(program).completeBaseName() + u'_' +
                        SettingsStore::computerName() + QStringLiteral(".info"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    const QStringList lines = decodeCp1252(bytes).split(QStringLiteral("\r\n"));

    EXPECT_EQ(lines.mid(0, 3),
              (QStringList{QString(80, u'-'), QStringLiteral("Systeem informatie"), QString(80, u'-')}));
    EXPECT_FALSE(valueOf(lines, QStringLiteral("Operating system      :")).isEmpty());
    EXPECT_EQ(valueOf(lines, QStringLiteral("NT Product type       :")),
              QStringLiteral("n.v.t. of onbekend"));
    EXPECT_EQ(valueOf(lines, QStringLiteral("Computernaam          :")), SettingsStore::computerName());
    EXPECT_EQ(valueOf(lines, QStringLiteral("Programmafile         :")), program);
    EXPECT_EQ(valueOf(lines, QStringLiteral("DCOMEnabled           :")), QStringLiteral("Nee"));
    EXPECT_TRUE(
        valueOf(lines, QStringLiteral("MDAC versie           :")).startsWith(QStringLiteral("SQLite 3.")));
    // Whole megabytes with the thousands separator.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,3}(\\.\\d{3})* Mb$"))
                    .match(valueOf(lines, QStringLiteral("Intern geheugen       :")))
                    .hasMatch());

    // Qt and SQLite, each under a heading with where the loader found it.
    for (const QString& library : {QStringLiteral("libQt6Core.so.6"), QStringLiteral("libsqlite3.so.0")}) {
        const qsizetype at =
            lines.indexOf(QRegularExpression(QStringLiteral("^Imports: /.*/") + library + u'$'));
        ASSERT_GE(at, 0) << library.toStdString();
        EXPECT_TRUE(QFileInfo(lines[at].mid(9)).isFile());
        EXPECT_EQ(lines[at - 1], QString(80, u'-'));
        EXPECT_TRUE(lines[at + 2].startsWith(QStringLiteral("OriginalFilename=") + library));
        EXPECT_TRUE(lines[at + 3].startsWith(QStringLiteral("FileVersion=")));
    }
}

TEST(SystemInformationTest, MissingProgramFileWritesNothing) {
    QTemporaryDir dir;
    SystemInformation info(dir.path() + u'/');
    try {
        info.writeProgramInfo(dir.filePath(QStringLiteral("weg")));
        FAIL() << "no error";
    } catch (const OstrapelError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("VanProgrammaFile niet gevonden"));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(SystemInformationTest, LibrariesFromTheSearchPathAndTheirVersions) {
    QTemporaryDir lib;
    QFile(lib.filePath(QStringLiteral("libostrapeltest.so.2.7.1"))).open(QIODevice::WriteOnly);
    QFile::link(lib.filePath(QStringLiteral("libostrapeltest.so.2.7.1")),
                lib.filePath(QStringLiteral("libostrapeltest.so.2")));
    SystemInformation info(lib.path() + u'/');
    const QString program = QCoreApplication::applicationFilePath();
    const QString name = QStringLiteral("libostrapeltest.so.2");
    EXPECT_EQ(info.findLibrary(name, program, {}), QString());
    info.libraryPathVariable = QStringLiteral("/nowhere:") + lib.path();
    EXPECT_EQ(info.findLibrary(name, program, {}), lib.filePath(name));
    EXPECT_EQ(SystemInformation::libraryVersion(lib.filePath(name)), QStringLiteral("2.7.1"));
    EXPECT_EQ(SystemInformation::libraryVersion(QStringLiteral("/nowhere/libz.so.1")), QStringLiteral("1"));
    EXPECT_EQ(SystemInformation::libraryVersion(QStringLiteral("/nowhere/libplain.so")), QString());

    // The test program itself needs Qt and nothing from a folder that does not exist.
    const ElfNeededLibraries needed(program);
    ASSERT_TRUE(needed.isElf());
    EXPECT_TRUE(needed.names().contains(QStringLiteral("libQt6Core.so.6")));
    EXPECT_FALSE(ElfNeededLibraries(lib.filePath(QStringLiteral("libostrapeltest.so.2.7.1"))).isElf());
}
