// The desktop program opening a big collectivity at its start, as the user
// meets it: processor time and resident memory of the whole process until it
// has used no processor for a second, with the collectivity window set to
// reopen at start, minus the same for a plain start. Median of three runs of
// each, the two in turn; run it on an X display (e.g. `Xvfb :93 &` and
// DISPLAY=:93).
//
// The databases are the ones scale_bench generates (OSTRAPEL_SCALE_DIR, by
// default scale-data beside this program); OSTRAPEL_SCALE_SIZES chooses them
// ("15000,150000").
#include "BenchSupport.h"
#include "core/CollectivityKey.h"
#include "core/DisplayFormat.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace ostrapel;
using bench::loadAverage;
using bench::median;

namespace {

// Processor milliseconds of a process so far; -1 when it is gone.
double processorMs(pid_t pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray stat = f.readAll();
    // the fields after the command name, which may hold blanks
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13 || fields[0] == "Z") return -1;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

double residentMb(pid_t pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

struct Start {
    double cpu = -1, rss = -1;
};

// Starts the program in `folder` and waits until it has used no processor for a second.
Start startUntilIdle(const QString& folder) {
    const QByteArray program = QFile::encodeName(QDir(folder).filePath(QStringLiteral("ostrapel")));
    char* argv[] = {const_cast<char*>(program.constData()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) return {};
    Start s;
    double last = -1;
    int still = 0;
    const int stepMs = 50;
    for (int waited = 0; waited < 120000; waited += stepMs) {
        QThread::msleep(stepMs);
        const double now = processorMs(pid);
        if (now < 0) break;
        still = now == last ? still + stepMs : 0;
        last = now;
        if (still >= 1000) {
            s = {now, residentMb(pid)};
            break;
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return s;
}

// A program folder of its own (a new one per start, so no start meets another's
// single-instance registration) on the scale database, with or without the window to reopen.
QString programFolder(const QTemporaryDir& dir, int index, const QString& database, bool reopen) {
    const QString folder = dir.filePath(QStringLiteral("p%1").arg(index));
    QDir().mkpath(folder + QStringLiteral("/db"));
    QFile::link(database, folder + QStringLiteral("/db/borderel.db"));
    const QString exe = QStringLiteral(OSTRAPEL_PROGRAM);
    const QString target = folder + QStringLiteral("/ostrapel");
    // a hard link, so the program takes this folder for its own
    if (::link(QFile::encodeName(exe).constData(), QFile::encodeName(target).constData()) != 0)
        QFile::copy(exe, target);
    Settings settings(folder + u'/');
    settings.setOpenMDIWindows(reopen ? CollectivityKey{12, 1}.windowKey() : QString());
    settings.setMaximized(true);
    return folder;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("no DISPLAY: start an X server (e.g. Xvfb :93) and set DISPLAY\n");
        return 1;
    }
    QString dir = qEnvironmentVariable("OSTRAPEL_SCALE_DIR");
    if (dir.isEmpty())
        dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("scale-data"));
    QString sizes = qEnvironmentVariable("OSTRAPEL_SCALE_SIZES");
    if (sizes.isEmpty()) sizes = QStringLiteral("15000,150000");
    qputenv("QT_QPA_PLATFORM", "xcb");
    QTemporaryDir folders;
    int index = 0;
    for (const QString& size : sizes.split(u',', Qt::SkipEmptyParts)) {
        const QString database = QDir(dir).filePath(QStringLiteral("scale-%1.db").arg(size));
        if (!QFile::exists(database)) {
            std::printf("%s is missing: scale_bench generates it\n", qPrintable(database));
            return 1;
        }
        std::vector<double> cpu[2], rss[2];
        const QString before = loadAverage();
        for (int run = 0; run < 3; ++run)
            for (int reopen = 0; reopen < 2; ++reopen) {
                const Start s = startUntilIdle(programFolder(folders, index++, database, reopen == 1));
                if (s.cpu < 0) {
                    std::printf("the program did not come to rest\n");
                    return 1;
                }
                cpu[reopen].push_back(s.cpu);
                rss[reopen].push_back(s.rss);
            }
        std::printf("%s persons, median of 3 runs; load average %s before, %s after\n", qPrintable(size),
                    qPrintable(before), qPrintable(loadAverage()));
        std::printf("  plain start                 %6.0f ms processor  %6.1f MB resident\n", median(cpu[0]),
                    median(rss[0]));
        std::printf("  start reopening the window  %6.0f ms processor  %6.1f MB resident\n", median(cpu[1]),
                    median(rss[1]));
        std::printf("  the window's part           %6.0f ms processor  %6.1f MB resident"
                    "  (goal at 150,000: <= 500 ms, <= 100 MB)\n",
                    median(cpu[1]) - median(cpu[0]), median(rss[1]) - median(rss[0]));
        std::fflush(stdout);
    }
    return 0;
}
