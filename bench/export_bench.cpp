// The export of a collectivity of 15,000 persons joined to their premium
// components: how long the query, the text file and the workbook take.
#include "SampleYear.h"

#include "core/Connection.h"
#include "core/DisplayFormat.h"
#include "core/RecordCatalogue.h"
#include "reports/ExportCommand.h"
#include "reports/ExportWriter.h"
#include "reports/ReportBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace ostrapel;

namespace {

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The medians of three runs of `step`: wall-clock and processor milliseconds
// (the latter tells more on a busy machine).
struct Timing {
    double wall;
    double cpu;
};

template <typename Step> Timing median3(Step step) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        const double c = cpuMs();
        step();
        cpu.push_back(cpuMs() - c);
        wall.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[1], cpu[1]};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    QTemporaryDir dir;
    // OSTRAPEL_BENCH_KEEP=1 leaves the files behind to compare them.
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("OSTRAPEL_BENCH_KEEP"));
    Connection db(QStringLiteral("bench"));
    RecordCatalogue catalogue;
    bench::openBenchDatabase(db, catalogue, dir);
    // Half a year of components: about 200,000 rows of persons joined to them.
    const QString period = qEnvironmentVariable("OSTRAPEL_BENCH_PERIOD", QStringLiteral("2006-07;2006-12"));
    QString error;
    const auto command = ExportCommand::parse(
        {"--coll", "12-1", "--type", "2", "--fields10", "ID04;1002;1003;1004;1005;1008", "--fields50",
         "ID03;5002;5003;5004;5008;5009;5010", "--period", period, "--out", dir.filePath("export.xls")},
        &error);
    if (!command) {
        std::printf("%s\n", qPrintable(error));
        return 2;
    }
    ReportBuilder data(db, catalogue);
    data.inputs = command->inputs();
    DataSet* rows = nullptr;
    const Timing query =
        median3([&] { rows = &data.buildExportQuery(command->fields10, command->fields50); });
    const Timing sort = median3([&] { rows->sort(rows->sortFields()); });
    std::printf("%d rows, wall/processor ms, median of 3\n", rows->recordCount());
    std::printf("query+sort   %5.0f / %5.0f (the sort alone %.0f / %.0f)\n", query.wall, query.cpu, sort.wall,
                sort.cpu);
    const ExportWriter writer(catalogue);
    for (const QString& name : {QStringLiteral("export.xls"), QStringLiteral("export.xlsx")}) {
        const QString out = dir.filePath(name);
        const Timing write = median3([&] { writer.write(*rows, out); });
        std::printf("%-12s %5.0f / %5.0f writing, %5.0f / %5.0f in all, %lld kB\n", qPrintable(name),
                    write.wall, write.cpu, query.wall + write.wall, query.cpu + write.cpu,
                    QFileInfo(out).size() / 1024);
    }
    if (!dir.autoRemove()) std::printf("files in %s\n", qPrintable(dir.path()));
    return 0;
}
