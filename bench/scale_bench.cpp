// The collectivity window at 15,000 and at 150,000 insured persons (a year of
// premium components each): opening to the first screen, a cursor move with
// both detail panes, Page Down, a title-click sort, a search keystroke, a
// period change, and the memory the open window holds. Medians of several runs.
//
// The databases are generated once and kept in OSTRAPEL_SCALE_DIR (by default
// scale-data beside this program): 15,000 persons through the import, then ten
// renumbered copies of them for 150,000, inserted by the engine in one
// transaction. OSTRAPEL_SCALE_RUNS sets the runs per figure (default 5),
// OSTRAPEL_SCALE_SIZES the sizes ("15000,150000"), OSTRAPEL_SCREENSHOT_DIR a
// folder for a picture of the opened window, OSTRAPEL_BENCH_POSTGRESQL a server
// to measure a copy of each database on as well.
#include "NoPrinter.h"
#include "SampleYear.h"

#include "collectivity/StatementState.h"
#include "collectivity/ui/CollectivityWindow.h"
#include "collectivity/ui/ListPane.h"
#include "collectivity/ui/StatementGrid.h"
#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DisplayFormat.h"
#include "core/RecordCatalogue.h"
#include "core/Settings.h"
#include "core/SharedQueries.h"
#include "maintenance/DatabaseMigration.h"
#include "reports/ui/CollectivityReports.h"
#include "widgets/ExecDialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <unistd.h>

using namespace ostrapel;

namespace {

double ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

// Resident set size, after handing freed heap back so it counts what is held.
double residentMb() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

QString loadAverage() {
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).section(u' ', 0, 2) : QString();
}

QString quoted(const QString& path) {
    return u'\'' + QString(path).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// Ten copies of collectivity 12's persons and components under new customer,
// unit and employee numbers (the samples number them below ten million).
void scaleUp(Connection& db, int copies) {
    // Indexes built once afterwards, not row by row.
    QStringList names, indexes;
    QSqlQuery q(db.database());
    q.exec(QStringLiteral("select name, sql from sqlite_master where type = 'index' and sql is not null "
                          "and tbl_name in ('bord10', 'bord50')"));
    while (q.next()) {
        names << q.value(0).toString();
        indexes << q.value(1).toString();
    }
    q.finish();
    for (const QString& name : names)
        q.exec(QStringLiteral("drop index \"%1\"").arg(name));
    db.beginTransaction();
    for (const QString& table : {QStringLiteral("bord10"), QStringLiteral("bord50")}) {
        QStringList columns = db.columnNames(table), values;
        for (const QString& c : columns) {
            if (c.compare(QStringLiteral("ID07"), Qt::CaseInsensitive) == 0 ||
                c.compare(QStringLiteral("ID05"), Qt::CaseInsensitive) == 0)
                values << QStringLiteral("printf('%010d', CAST(") + c +
                              QStringLiteral(" AS INTEGER) + :k * 10000000)");
            else if (c.compare(QStringLiteral("ID04"), Qt::CaseInsensitive) == 0)
                values << QStringLiteral("'W' || :k || substr(ID04, 2)");
            else
                values << u'[' + c + u']';
        }
        for (QString& c : columns)
            c = u'[' + c + u']';
        // Straight to the engine: the copy is SQLite's own SQL.
        for (int k = 1; k < copies; ++k) {
            const QString sql = QStringLiteral("insert into ") + table + QStringLiteral(" (") +
                                columns.join(u',') + QStringLiteral(") select ") +
                                values.join(u',').replace(QStringLiteral(":k"), QString::number(k)) +
                                QStringLiteral(" from ") + table +
                                QStringLiteral(" where ID01 = 12 and CAST(ID07 AS INTEGER) < 10000000");
            if (!q.exec(sql)) qFatal("%s", qPrintable(q.lastError().text()));
        }
    }
    for (const QString& index : indexes)
        q.exec(index);
    db.commit();
}

// The cached database of `persons` persons, generated when missing.
QString scaleDatabase(int persons) {
    QString dir = qEnvironmentVariable("OSTRAPEL_SCALE_DIR");
    if (dir.isEmpty())
        dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("scale-data"));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(QStringLiteral("scale-%1.db").arg(persons));
    if (QFile::exists(path)) return path;
    QElapsedTimer t;
    t.start();
    QTemporaryDir work;
    const int base = 15000;
    const QString source =
        persons == base ? bench::CopyDatabase(work, QStringLiteral("borderel.db"))
                        : bench::CopyDatabase(work, QStringLiteral("borderel.db"), scaleDatabase(base));
    {
        Connection db(QStringLiteral("scale-generate"));
        db.open(ConnectionString::forSqliteFile(source).toString());
        if (persons == base) {
            db.execute(SharedQueries::CreateIndex1024);
            RecordCatalogue catalogue;
            catalogue.load(db);
            bench::importSampleYear(db, catalogue, work, base);
        } else {
            scaleUp(db, persons / base);
        }
        db.execute(QStringLiteral("vacuum into ") + quoted(path));
    }
    std::printf("generated %s in %.1f s\n", qPrintable(path), ms(t) / 1000);
    return path;
}

void key(QWidget* target, int k, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Wall-clock and processor times of one step; the processor time shows what
// the step costs when other work shares the machine.
struct Figure {
    std::vector<double> wall, cpu;
    void add(double w, double c) {
        wall.push_back(w);
        cpu.push_back(c);
    }
    void print(const char* what, int decimals) const {
        std::printf("  %-38s %9.*f ms  (processor %.*f ms)\n", what, decimals, median(wall), decimals,
                    median(cpu));
    }
};

// Runs `step` and paints the window: the time until the user sees the result.
template <typename F> void shown(Figure& figure, CollectivityWindow* w, F step) {
    QElapsedTimer t;
    t.start();
    const double cpu = cpuMs();
    step();
    QCoreApplication::processEvents();
    w->repaint();
    figure.add(ms(t), cpuMs() - cpu);
}

std::unique_ptr<CollectivityWindow> openWindow(Connection& db, const RecordCatalogue& catalogue,
                                               Prompts& prompts, Settings& settings) {
    static bench::NoPrinter printer;
    static bench::NoDesktop desktop;
    static ExecDialogs dialogs;
    // kept to the end: a window holds on to its reports
    static std::vector<std::unique_ptr<CollectivityReports>> reports;
    reports.push_back(std::make_unique<CollectivityReports>(catalogue, settings, prompts, printer, desktop));
    auto w = std::make_unique<CollectivityWindow>(db, catalogue, prompts, printer, desktop, dialogs, settings,
                                                  *reports.back());
    w->resize(1024, 700);
    w->setIdentity({12, 1}, InsuranceType::Standard);
    w->loadWindowState();
    w->show();
    return w;
}

// The same database on the PostgreSQL server that `server` (a maintenance
// database's connection string) names, copied there once.
QString serverCopy(const QString& server, int persons) {
    const QString name = QStringLiteral("ostrapel_scale_%1").arg(persons);
    ConnectionString target = ConnectionString::parse(server);
    target.setValue(QStringLiteral("Database"), name);
    {
        Connection admin(QStringLiteral("scale-admin"));
        admin.open(server);
        QSqlQuery q(admin.database());
        q.exec(QStringLiteral("select 1 from pg_database where datname = '%1'").arg(name));
        if (q.next()) return target.toString();
        if (!q.exec(QStringLiteral("create database %1").arg(name)))
            qFatal("%s", qPrintable(q.lastError().text()));
    }
    QElapsedTimer t;
    t.start();
    DatabaseMigration::run(ConnectionString::forSqliteFile(scaleDatabase(persons)).toString(),
                           target.toString());
    {
        Connection db(QStringLiteral("scale-analyze"));
        db.open(target.toString());
        db.execute(SharedQueries::CreateIndex1024); // as the program's start makes it
        db.execute(QStringLiteral("ANALYZE"));
    }
    std::printf("copied %d persons to %s in %.1f s\n", persons, qPrintable(name), ms(t) / 1000);
    return target.toString();
}

void measure(int persons, int runs, const QString& server) {
    const QString connectionString = server.isEmpty()
                                         ? ConnectionString::forSqliteFile(scaleDatabase(persons)).toString()
                                         : serverCopy(server, persons);
    Connection db(QStringLiteral("scale"));
    db.open(connectionString);
    RecordCatalogue catalogue;
    catalogue.load(db);
    const int components = db.scalar(QStringLiteral("select count(*) from bord50")).toInt();
    bench::QuietPrompts prompts;
    QTemporaryDir settingsDir;
    Settings settings(settingsDir.path());
    {
        // Both detail panes on, as the window then keeps them.
        auto w = openWindow(db, catalogue, prompts, settings);
        if (!w->actToonDI10Details->isChecked()) w->actToonDI10Details->trigger();
        if (!w->actToonDI50Details->isChecked()) w->actToonDI50Details->trigger();
        w->saveWindowState();
    }
    QCoreApplication::processEvents();

    Figure open, move, pageDown, sort, searchKey, period;
    double before = 0, held = 0;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        const double rss = residentMb();
        std::unique_ptr<CollectivityWindow> w;
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        w = openWindow(db, catalogue, prompts, settings);
        QCoreApplication::processEvents();
        w->repaint();
        open.add(ms(t), cpuMs() - cpu);
        if (run == 0) {
            before = rss;
            held = residentMb() - rss;
            rows = w->state().persons().recordCount();
            const QString pictures = qEnvironmentVariable("OSTRAPEL_SCREENSHOT_DIR");
            if (!pictures.isEmpty()) {
                QDir().mkpath(pictures);
                w->grab().save(QDir(pictures).filePath(QStringLiteral("scale-%1.png").arg(persons)));
            }
        }
        QLineEdit* box = w->searchBox();
        Figure steps;
        for (int i = 0; i < 20; ++i)
            shown(steps, w.get(), [&] { w->movePersons(1); });
        move.add(median(steps.wall), median(steps.cpu));
        shown(pageDown, w.get(), [&] { key(box, Qt::Key_PageDown); });
        StatementGrid* grid = w->personsPane()->grid();
        const int byBirth = grid->columnOfField(QStringLiteral("1005"));
        const int byName = grid->columnOfField(QStringLiteral("1002"));
        shown(sort, w.get(), [&] { w->sortPersonsByColumn(byBirth); });
        shown(sort, w.get(), [&] { w->sortPersonsByColumn(byName); });
        shown(searchKey, w.get(), [&] {
            key(box, Qt::Key_B, QStringLiteral("B"));
            key(box, Qt::Key_Return);
        });
        shown(searchKey, w.get(), [&] {
            key(box, Qt::Key_Backspace);
            key(box, Qt::Key_Return);
        });
        shown(period, w.get(), [&] { w->applyPeriod(QStringLiteral("2006-06;2006-06")); });
        shown(period, w.get(), [&] { w->applyPeriod(QString()); });
        w.reset();
        QCoreApplication::processEvents();
    }
    std::printf(
        "%s, %d persons (%d rows listed, %d premium components), median of %d runs; load average %s:\n",
        db.isPostgreSql() ? "PostgreSQL" : "SQLite", persons, rows, components, runs,
        qPrintable(loadAverage()));
    open.print("window open to the first screen", 1);
    move.print("cursor move with both detail panes", 2);
    pageDown.print("Page Down", 2);
    sort.print("title-click sort", 1);
    searchKey.print("search keystroke", 1);
    period.print("period change", 1);
    std::printf("  memory: resident %.0f MB before opening, %.1f MB held by the open window\n", before, held);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installProgramLocale();
    const int runs = qEnvironmentVariableIsSet("OSTRAPEL_SCALE_RUNS")
                         ? std::max(1, qEnvironmentVariableIntValue("OSTRAPEL_SCALE_RUNS"))
                         : 5;
    QString sizes = qEnvironmentVariable("OSTRAPEL_SCALE_SIZES");
    if (sizes.isEmpty()) sizes = QStringLiteral("15000,150000");
    // OSTRAPEL_BENCH_POSTGRESQL: a server's maintenance database; the figures are then
    // printed for a copy of each database there too
    const QString server = qEnvironmentVariable("OSTRAPEL_BENCH_POSTGRESQL");
    for (const QString& size : sizes.split(u',', Qt::SkipEmptyParts)) {
        measure(size.toInt(), runs, {});
        if (!server.isEmpty()) measure(size.toInt(), runs, server);
    }
    return 0;
}
