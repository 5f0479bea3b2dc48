// A collectivity of 15,000 persons with a year of premium components: how long
// the window's persons list takes to open, and a move of the persons cursor
// (components and totals re-run).
#include "NoPrinter.h"
#include "SampleYear.h"

#include "collectivity/StatementState.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DisplayFormat.h"
#include "core/Prompts.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/SharedQueries.h"
#include "import/CheckPass.h"
#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/SilentImportView.h"
#include "reports/ui/CollectivityReports.h"
#include "widgets/ExecDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace ostrapel;

namespace {

double ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installProgramLocale();
    QTemporaryDir dir;
    // OSTRAPEL_BENCH_DB names a database generated before (see OSTRAPEL_BENCH_KEEP).
    const QString reuse = qEnvironmentVariable("OSTRAPEL_BENCH_DB");
    const QString path = reuse.isEmpty() ? bench::CopyDatabase(dir, QStringLiteral("borderel.db"))
                                         : bench::CopyDatabase(dir, QStringLiteral("borderel.db"), reuse);
    Connection db(QStringLiteral("bench"));
    db.open(ConnectionString::forSqliteFile(path).toString());
    if (reuse.isEmpty()) db.execute(SharedQueries::CreateIndex1024);
    RecordCatalogue catalogue;
    catalogue.load(db);

    QElapsedTimer t;
    t.start();
    if (reuse.isEmpty()) bench::importSampleYear(db, catalogue, dir, 15000);
    std::printf("database: %d persons, %d premium components (generated and imported in %.1f s)\n",
                db.scalar(QStringLiteral("select count(*) from bord10")).toInt(),
                db.scalar(QStringLiteral("select count(*) from bord50")).toInt(), ms(t) / 1000);

    // OSTRAPEL_BENCH_KEEP names a file to keep the generated database in.
    if (const QString keep = qEnvironmentVariable("OSTRAPEL_BENCH_KEEP"); !keep.isEmpty()) {
        QFile::remove(keep);
        db.execute(QStringLiteral("vacuum into '") + QString(keep).replace(u'\'', QStringLiteral("''")) +
                   u'\'');
    }

    for (const QString& period :
         {QString(), QStringLiteral("2006-06;2006-06"), QStringLiteral("2006-03;2006-09")}) {
        StatementState state(db, catalogue);
        state.setIdentity({12, 1}, InsuranceType::Standard);
        state.setPeriodSetting(period);
        t.restart();
        state.initialise();
        state.setComponentsShown(true);
        const double open = ms(t);
        const int moves = 200;
        t.restart();
        for (int i = 0; i < moves; ++i) {
            state.persons().setRecNo((i * 7919) % state.persons().recordCount());
            state.followCursor();
        }
        const double move = ms(t) / moves;
        state.setMode(ComponentsQuery::Mode::Joint);
        t.restart();
        for (int i = 0; i < moves; ++i) {
            state.persons().setRecNo((i * 7919) % state.persons().recordCount());
            state.followCursor();
        }
        const double jointMove = ms(t) / moves;
        int total = 0;
        for (int i = 0; i < 50; ++i) {
            state.persons().setRecNo(i);
            state.followCursor();
            total += state.components().recordCount();
        }
        std::printf("period %-17s open (persons list, drop-downs, components): %6.0f ms for %d persons; "
                    "cursor move %.2f ms (joint %.2f ms); the first 50 persons' units hold %d components\n",
                    period.isEmpty() ? "none" : qPrintable(period), open, state.persons().recordCount(), move,
                    jointMove, total);
    }
    // The window itself: opening with its panes, and cursor moves with the
    // detail panes and the components list refilled.
    Settings settings(dir.path());
    bench::QuietPrompts windowPrompts;
    bench::NoPrinter printer;
    t.restart();
    bench::NoDesktop desktop;
    ExecDialogs dialogs;
    CollectivityReports reports(catalogue, settings, windowPrompts, printer, desktop);
    CollectivityWindow window(db, catalogue, windowPrompts, printer, desktop, dialogs, settings, reports);
    window.setIdentity({12, 1}, InsuranceType::Standard);
    window.loadWindowState();
    window.actToonDI50Details->trigger();
    window.show();
    QCoreApplication::processEvents();
    const double openWindow = ms(t);
    const int moves = 200;
    t.restart();
    for (int i = 0; i < moves; ++i) {
        window.movePersons(1);
        QCoreApplication::processEvents();
    }
    std::printf("window: open %.0f ms; cursor move with both detail panes and the components list %.2f ms\n",
                openWindow, ms(t) / moves);
    return 0;
}
