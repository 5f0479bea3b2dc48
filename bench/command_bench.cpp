// The import as the user waits for it: the whole `ostrapel-cli import ARCHIVE`
// command, from the archive to the exit, beside the sqlite3 shell's
// `.import --csv` of the same rows (converted as the import converts them)
// into a copy of the same database. The two run in turn on fresh copies, three
// times each; the figures are medians of whole processes (wall clock and
// processor time), with the load average of the machine.
//
// Two cases: one statement (OSTRAPEL_COMMAND_PERSONS persons, 15,000 by
// default, 12 components each) into the delivered database as the program
// leaves it after its first start, and one more month (3 components each) into
// 36 months of the same collectivity. The 36 months are imported once and kept
// in OSTRAPEL_COMMAND_DIR (by default command-data beside this program).
// OSTRAPEL_COMMAND_CLI runs another build's ostrapel-cli instead of this one's.
#include "BenchSupport.h"
#include "SampleGenerator.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DisplayFormat.h"
#include "core/RecordCatalogue.h"
#include "import/StatementFields.h"
#include "import/StatementWriter.h"
#include "import/ZipArchive.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

using namespace ostrapel;
using bench::loadAverage;
using bench::median;

namespace {

struct Run {
    double wall = 0, cpu = 0; // milliseconds
    bool ok = false;
};

// One whole process, its output into `log`; what the kernel accounted for it.
Run runProcess(const QStringList& args, const QString& log) {
    std::vector<QByteArray> bytes;
    for (const QString& a : args)
        bytes.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    const QByteArray logName = QFile::encodeName(log);
    posix_spawn_file_actions_addopen(&files, 1, logName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    Run r;
    if (posix_spawnp(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        clock_gettime(CLOCK_MONOTONIC, &end);
        r.wall = double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
        r.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        QFile out(log);
        // the shell reports a bad row on its output and still exits 0
        r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && out.open(QIODevice::ReadOnly) &&
               (args.first().endsWith(QStringLiteral("ostrapel-cli")) || out.size() == 0);
    }
    posix_spawn_file_actions_destroy(&files);
    if (!r.ok) {
        QFile out(log);
        out.open(QIODevice::ReadOnly);
        std::printf("%s failed:\n%s\n", qPrintable(args.join(u' ')), out.readAll().constData());
    }
    return r;
}

bool copyFile(const QString& from, const QString& to) {
    QFile::remove(to);
    QFile::remove(to + QStringLiteral("-journal"));
    return QFile::copy(from, to) &&
           QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString csvValue(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The rows of a statement as one CSV file per table, values as the import converts them.
QStringList writeTables(const RecordCatalogue& catalogue, const QStringList& lines, const QString& folder) {
    const QString types[4] = {QStringLiteral("00"), QStringLiteral("10"), QStringLiteral("50"),
                              QStringLiteral("99")};
    QStringList paths;
    QFile files[4];
    for (int i = 0; i < 4; ++i) {
        paths << QDir(folder).filePath(QStringLiteral("bord%1.csv").arg(types[i]));
        files[i].setFileName(paths.last());
        if (!files[i].open(QIODevice::WriteOnly)) return {};
    }
    const int year = QDate::currentDate().year();
    for (const QString& line : lines) {
        const int which = int(std::find(types, types + 4, recordTypeOf(catalogue, line)) - types);
        if (which >= 4) continue;
        const bool standard = fieldText(catalogue, line, QStringLiteral("ID05")).startsWith(u'S');
        QStringList values;
        for (const QString& kind : {QStringLiteral("ID"), types[which]}) {
            const KindEntries& entries = *catalogue.kindList(kind);
            for (size_t k = 0; k < entries.size(); ++k) {
                const RecordField& e = *entries[k];
                QVariant v;
                if (kind != QStringLiteral("ID") && k == 0)
                    v = QVariant(); // the first field of a record type is never filled
                else if (kind == QStringLiteral("10") && e.name.mid(2, 2) == QStringLiteral("24") && standard)
                    v = QStringLiteral(" ");
                else
                    v = convertFieldValue(kind, e.name.mid(2, 2), e.type,
                                          rawFieldText(line, e.start, e.length), year);
                values << csvValue(v.metaType().id() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                                         : v.toString());
            }
        }
        files[which].write(values.join(u',').toUtf8() + '\n');
    }
    return paths;
}

// A program folder whose database is `database`.
QString programFolder(const QString& root, const QString& database) {
    for (const char* sub :
         {"db", "Settings", "Import", "Export", "ErrorLogs", "Info", "Plugins", "SqlScripts"})
        QDir().mkpath(QDir(root).filePath(QLatin1String(sub)));
    copyFile(database, QDir(root).filePath(QStringLiteral("db/borderel.db")));
    return root;
}

struct Case {
    QString title, base, archive;
    QStringList tables;
    qsizetype lines = 0;
};

// Program and shell in turn, each on a fresh copy of the case's database.
void measure(const Case& c, const QString& cli, const QString& shell, const QString& work, int runs) {
    const QString program = programFolder(QDir(work).filePath(QStringLiteral("measure")), c.base);
    const QString programDb = QDir(program).filePath(QStringLiteral("db/borderel.db"));
    const QString shellDb = QDir(work).filePath(QStringLiteral("shell.db"));
    const QString log = QDir(work).filePath(QStringLiteral("run.log"));
    QStringList shellArgs = {shell, QStringLiteral("-bail"), shellDb};
    for (const QString& t : c.tables)
        shellArgs << QStringLiteral(".import --csv '%1' %2").arg(t, QFileInfo(t).completeBaseName());
    std::vector<double> wall[2], cpu[2], ratio;
    const QString before = loadAverage();
    for (int run = 0; run < runs; ++run) {
        copyFile(c.base, programDb);
        const Run a = runProcess(
            {cli, QStringLiteral("--program-dir"), program, QStringLiteral("import"), c.archive}, log);
        copyFile(c.base, shellDb);
        const Run b = runProcess(shellArgs, log);
        if (!a.ok || !b.ok) return;
        wall[0].push_back(a.wall);
        cpu[0].push_back(a.cpu);
        wall[1].push_back(b.wall);
        cpu[1].push_back(b.cpu);
        ratio.push_back(a.wall / b.wall);
    }
    QFile::remove(shellDb);
    std::printf("%s: %lld lines, median of %d runs; load average %s before, %s after\n", qPrintable(c.title),
                qlonglong(c.lines), runs, qPrintable(before), qPrintable(loadAverage()));
    std::printf("  ostrapel-cli import      %8.0f ms  (processor %.0f ms)\n", median(wall[0]),
                median(cpu[0]));
    std::printf("  sqlite3 .import --csv    %8.0f ms  (processor %.0f ms)\n", median(wall[1]),
                median(cpu[1]));
    std::printf("  ratio program/shell      %8.2f    (pair by pair: %.2f to %.2f; goal <= 1.2)\n",
                median(wall[0]) / median(wall[1]), *std::min_element(ratio.begin(), ratio.end()),
                *std::max_element(ratio.begin(), ratio.end()));
    std::fflush(stdout);
}

QString period(int index) { // 0: 2002-01
    return QStringLiteral("%1-%2").arg(2002 + index / 12).arg(index % 12 + 1, 2, 10, QChar(u'0'));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    // OSTRAPEL_COMMAND_CLI: another build's ostrapel-cli, to compare two versions on the same rows
    QString cli = qEnvironmentVariable("OSTRAPEL_COMMAND_CLI");
    if (cli.isEmpty()) cli = QStringLiteral(OSTRAPEL_CLI);
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty()) {
        std::printf("the sqlite3 shell is not installed (Debian package sqlite3)\n");
        return 1;
    }
    const int persons = qEnvironmentVariableIsSet("OSTRAPEL_COMMAND_PERSONS")
                            ? qEnvironmentVariableIntValue("OSTRAPEL_COMMAND_PERSONS")
                            : 15000;
    QString keep = qEnvironmentVariable("OSTRAPEL_COMMAND_DIR");
    if (keep.isEmpty())
        keep = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("command-data"));
    QDir().mkpath(keep);
    QTemporaryDir work;
    const QString log = work.filePath(QStringLiteral("prepare.log"));

    // The delivered database as the program leaves it after its first start.
    const QString start =
        programFolder(work.filePath(QStringLiteral("start")), QStringLiteral(OSTRAPEL_DELIVERED_DB));
    if (!runProcess({cli, QStringLiteral("--program-dir"), start, QStringLiteral("collectivities")}, log).ok)
        return 1;
    const QString delivered = work.filePath(QStringLiteral("delivered.db"));
    copyFile(QDir(start).filePath(QStringLiteral("db/borderel.db")), delivered);
    RecordCatalogue catalogue;
    {
        Connection db(QStringLiteral("catalogue"));
        db.open(ConnectionString::forSqliteFile(delivered).toString());
        catalogue.load(db);
    }

    // One statement into the delivered database.
    {
        SampleOptions o;
        o.collectivities = 1;
        o.persons = persons;
        o.componentsPerPerson = 12;
        o.periods = {QStringLiteral("2006-01")};
        const SampleGenerator gen(catalogue, o);
        const QString folder = work.filePath(QStringLiteral("one"));
        Case c;
        c.title = QStringLiteral("one statement, %1 persons, into the delivered database").arg(persons);
        c.base = delivered;
        c.archive = gen.writeAll(folder).value(0);
        const QStringList lines = gen.statementLines(0, o.periods[0]);
        c.lines = lines.size();
        c.tables = writeTables(catalogue, lines, folder);
        measure(c, cli, shell, work.path(), 3);
    }

    // One more month into 36 months of the same collectivity.
    {
        SampleOptions o;
        o.collectivities = 1;
        o.persons = persons;
        o.componentsPerPerson = 3;
        o.periods.clear();
        for (int m = 0; m <= 36; ++m)
            o.periods << period(m);
        const SampleGenerator gen(catalogue, o);
        const QString history = QDir(keep).filePath(QStringLiteral("history-%1.db").arg(persons));
        const QString folder = work.filePath(QStringLiteral("history"));
        if (!QFile::exists(history)) {
            SampleOptions first = o;
            first.periods.removeLast();
            const QStringList archives = SampleGenerator(catalogue, first).writeAll(folder);
            const QString build = programFolder(work.filePath(QStringLiteral("build")), delivered);
            if (!runProcess(
                     QStringList{cli, QStringLiteral("--program-dir"), build, QStringLiteral("import")} +
                         archives,
                     log)
                     .ok)
                return 1;
            copyFile(QDir(build).filePath(QStringLiteral("db/borderel.db")), history);
            std::printf("built %s\n", qPrintable(history));
        }
        // the 37th month of the same sequence, so the same persons go on
        Case c;
        c.title = QStringLiteral("one more month, %1 persons, into 36 months").arg(persons);
        c.base = history;
        const QStringList lines = gen.statementLines(0, o.periods.last());
        c.lines = lines.size();
        QDir().mkpath(folder);
        const QString dat = QDir(folder).filePath(gen.fileName(0, o.periods.last()));
        StatementWriter::writeFile(dat, lines);
        c.archive = QString(dat).replace(QStringLiteral(".dat"), QStringLiteral(".zip"));
        ZipArchive::create(c.archive, {dat});
        QFile::remove(dat);
        c.tables = writeTables(catalogue, lines, folder);
        measure(c, cli, shell, work.path(), 3);
    }
    return 0;
}
