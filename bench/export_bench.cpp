// The export of a collectivity of 15,000 persons joined to their premium
// components: how long the text file and the workbook take to write.
#include "SampleYear.h"

#include "core/Connection.h"
#include "core/DisplayFormat.h"
#include "core/RecordCatalogue.h"
#include "reports/ExportCommand.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

using namespace ostrapel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    QTemporaryDir dir;
    Connection db(QStringLiteral("bench"));
    RecordCatalogue catalogue;
    bench::openBenchDatabase(db, catalogue, dir);
    // Half a year of components: about 200,000 rows of persons joined to them.
    const QString period = qEnvironmentVariable("OSTRAPEL_BENCH_PERIOD", QStringLiteral("2006-07;2006-12"));
    for (const QString& name : {QStringLiteral("export.xls"), QStringLiteral("export.xlsx")}) {
        const QString out = dir.filePath(name);
        QString error;
        const auto command = ExportCommand::parse(
            {"--coll", "12-1", "--type", "2", "--fields10", "ID04;1002;1003;1004;1005;1008", "--fields50",
             "ID03;5002;5003;5004;5008;5009;5010", "--period", period, "--out", out},
            &error);
        if (!command) {
            std::printf("%s\n", qPrintable(error));
            return 2;
        }
        QElapsedTimer t;
        t.start();
        const int rows = command->run(db, catalogue);
        std::printf("%-12s %7.0f ms, %d rows, %lld kB\n", qPrintable(name), double(t.nsecsElapsed()) / 1e6,
                    rows, QFileInfo(out).size() / 1024);
    }
    return 0;
}
