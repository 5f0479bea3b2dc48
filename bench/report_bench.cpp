// A collectivity of 15,000 persons with a year of premium components: how long
// each report takes to build into its file (queries, paging, writing).
#include "SampleYear.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DisplayFormat.h"
#include "core/ProgressReporter.h"
#include "core/RecordCatalogue.h"
#include "core/SharedQueries.h"
#include "reports/ReportCommand.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

using namespace ostrapel;

namespace {

// Prints how long each step of a report took (OSTRAPEL_BENCH_STEPS=1).
class StepTimes : public NullProgress {
public:
    void setText(const QString& text) override {
        if (qEnvironmentVariableIsSet("OSTRAPEL_BENCH_STEPS"))
            std::printf("    %6.0f ms  %s\n", double(timer_.nsecsElapsed()) / 1e6, qPrintable(text));
    }
    QElapsedTimer timer_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    QTemporaryDir dir;
    Connection db(QStringLiteral("bench"));
    RecordCatalogue catalogue;
    bench::openBenchDatabase(db, catalogue, dir);
    std::printf("database: %d person records, %d premium components\n",
                db.scalar(QStringLiteral("select count(*) from bord10")).toInt(),
                db.scalar(QStringLiteral("select count(*) from bord50")).toInt());

    const QStringList reports[] = {
        {"incasso", "--coll", "12-1", "--type", "2", "--month", "2006-12"},
        {"correctie", "--coll", "12-1", "--type", "2", "--month", "2006-12"},
        {"selectie", "--coll", "12-1", "--type", "2", "--period", "2006-12;2006-12"},
        {"prolongatie", "--coll", "12-1", "--type", "2", "--from", "2006-11", "--to", "2006-12"},
    };
    for (const QStringList& args : reports) {
        QString error;
        const auto command = ReportCommand::parse(args, &error);
        StepTimes progress;
        progress.timer_.start();
        QElapsedTimer t;
        t.start();
        const QByteArray text = command->build(db, catalogue, 73, progress);
        std::printf("%-12s %7.0f ms, %d lines\n", qPrintable(args[0]), double(t.nsecsElapsed()) / 1e6,
                    int(text.count('\n')));
    }
    return 0;
}
