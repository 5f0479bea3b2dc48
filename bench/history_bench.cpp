// Whether the import and the window get slower as history accumulates: a
// database holding one month against one holding 36 months of a big
// collectivity (OSTRAPEL_HISTORY_PERSONS persons, 3,000 by default, 13
// components each) and 20 small ones (40 persons). Timed on each, the median
// of three runs on fresh copies: the import of one more month of the big
// collectivity, the refusal of a statement imported before, the clean-up of
// superseded persons, the collectivity window's opening queries and the
// "incasso" report of the newest month.
// OSTRAPEL_HISTORY_BUILT_SQL runs on each built database (e.g. "drop index
// IDX_BORD50_UNIT"), OSTRAPEL_HISTORY_RUN_SQL on each measured connection (e.g.
// "PRAGMA synchronous = OFF").
#include "BenchSupport.h"
#include "SampleGenerator.h"

#include "collectivity/StatementState.h"
#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DisplayFormat.h"
#include "core/RecordCatalogue.h"
#include "core/SharedQueries.h"
#include "core/Transaction.h"
#include "import/CheckPass.h"
#include "import/ImportRun.h"
#include "import/SilentImportView.h"
#include "import/StatementFile.h"
#include "import/StatementWriter.h"
#include "reports/ReportCommand.h"
#include "reports/ReportProgress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace ostrapel;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

QString month(int index) { // 0: 2002-01
    return QStringLiteral("%1-%2").arg(2002 + index / 12).arg(index % 12 + 1, 2, 10, QChar(u'0'));
}

// The ';'-separated statements of an environment variable, for trying an
// index or a pragma without a rebuild.
void runStatements(Connection& db, const char* variable) {
    for (const QString& sql : qEnvironmentVariable(variable).split(u';', Qt::SkipEmptyParts))
        db.execute(sql);
}

struct Figures {
    double import = 0, refusal = 0, cleanUp = 0, open = 0, report = 0;
};

class History {
public:
    History(const QTemporaryDir& dir, const RecordCatalogue& catalogue, int persons, int months)
        : dir_(dir), catalogue_(catalogue) {
        for (int m = 0; m <= months; ++m)
            periods_ << month(m);
        big_.collectivities = 1;
        big_.persons = persons;
        big_.componentsPerPerson = 13;
        big_.periods = periods_;
        big_.zip = false;
        small_ = big_;
        small_.collectivities = 20;
        small_.persons = 40;
        small_.componentsPerPerson = 3;
        small_.firstCollectivity = 100;
    }

    // A statement file of the big (collectivity -1) or a small collectivity.
    QString file(int collectivity, int monthIndex) const {
        const SampleGenerator gen(catalogue_, collectivity < 0 ? big_ : small_);
        const int c = std::max(collectivity, 0);
        const QString path = dir_.filePath(gen.fileName(c, periods_[monthIndex]));
        if (!QFile::exists(path))
            StatementWriter::writeFile(path, gen.statementLines(c, periods_[monthIndex]));
        return path;
    }

    // Imports the first `months` months, every file as a run of its own.
    void build(Connection& db, int months) const {
        bench::QuietPrompts prompts;
        SilentImportView view;
        ImportRun run(db, catalogue_, prompts, view, 1, dir_.path());
        for (int m = 0; m < months; ++m)
            for (int c = -1; c < small_.collectivities; ++c) {
                const QString path = file(c, m);
                bool post = false;
                run.importStatementFile(path, checkStatementFile(catalogue_, view, path, 1).countedRecords,
                                        post, true);
                QFile::remove(path);
            }
    }

    // One run of the four figures on `db`, which holds `months` months.
    Figures measure(Connection& db, RecordCatalogue& catalogue, int months) const {
        bench::QuietPrompts prompts;
        SilentImportView view;
        ImportRun run(db, catalogue, prompts, view, 1, dir_.path());
        Figures f;
        QElapsedTimer t;
        {
            StatementState state(db, catalogue);
            state.setIdentity({big_.firstCollectivity, 1}, InsuranceType::SicknessFundOrPrivate);
            t.start();
            state.initialise();
            state.setComponentsShown(true);
            f.open = ms(t);
        }
        {
            QString error;
            const auto incasso = ReportCommand::parse({QStringLiteral("incasso"), QStringLiteral("--coll"),
                                                       QStringLiteral("%1-1").arg(big_.firstCollectivity),
                                                       QStringLiteral("--type"), QStringLiteral("1"),
                                                       QStringLiteral("--month"), month(months - 1)},
                                                      &error);
            NullReportProgress progress;
            t.restart();
            incasso->build(db, catalogue, 73, progress);
            f.report = ms(t);
        }
        const QString next = file(-1, months);
        const int expected = checkStatementFile(catalogue, view, next, 1).countedRecords;
        bool post = false;
        t.restart();
        run.importStatementFile(next, expected, post, false);
        f.import = ms(t);
        const QString collectivityLine = readStatementLines(next).first();
        t.restart();
        const int refusals = 100;
        for (int i = 0; i < refusals; ++i) {
            QString refusal;
            run.isAlreadyImported(collectivityLine, &refusal);
        }
        f.refusal = ms(t) / refusals;
        t.restart();
        {
            Transaction tr(db);
            run.purgeSupersededPersons(collectivityLine);
            tr.commit();
        }
        f.cleanUp = ms(t);
        return f;
    }

private:
    const QTemporaryDir& dir_;
    const RecordCatalogue& catalogue_;
    QStringList periods_;
    SampleOptions big_, small_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    QTemporaryDir dir;
    const int persons = qEnvironmentVariableIsSet("OSTRAPEL_HISTORY_PERSONS")
                            ? qEnvironmentVariableIntValue("OSTRAPEL_HISTORY_PERSONS")
                            : 3000;
    const int months = 36;

    Connection setup(QStringLiteral("setup"));
    setup.open(
        ConnectionString::forSqliteFile(bench::CopyDatabase(dir, QStringLiteral("catalogue.db"))).toString());
    RecordCatalogue catalogue;
    catalogue.load(setup);
    const History history(dir, catalogue, persons, months);

    Figures result[2];
    const int held[2] = {1, months};
    for (int k = 0; k < 2; ++k) {
        const QString built = bench::CopyDatabase(dir, QStringLiteral("history%1.db").arg(held[k]));
        QElapsedTimer t;
        t.start();
        {
            Connection db(QStringLiteral("build"));
            db.open(ConnectionString::forSqliteFile(built).toString());
            db.execute(SharedQueries::CreateIndex1024);
            history.build(db, held[k]);
            runStatements(db, "OSTRAPEL_HISTORY_BUILT_SQL");
            std::printf("%2d month(s): %d person rows, %d components (built in %.0f s)\n", held[k],
                        db.scalar(QStringLiteral("select count(*) from bord10")).toInt(),
                        db.scalar(QStringLiteral("select count(*) from bord50")).toInt(), ms(t) / 1000);
            // OSTRAPEL_BENCH_KEEP names a file to keep the database with the most months in.
            if (const QString keep = qEnvironmentVariable("OSTRAPEL_BENCH_KEEP"); !keep.isEmpty() && k == 1) {
                QFile::remove(keep);
                db.execute(QStringLiteral("vacuum into '") +
                           QString(keep).replace(u'\'', QStringLiteral("''")) + u'\'');
            }
        }
        std::vector<Figures> runs;
        for (int run = 0; run < 3; ++run) {
            const QString copy = bench::CopyDatabase(dir, QStringLiteral("run.db"), built);
            {
                Connection db(QStringLiteral("run"));
                db.open(ConnectionString::forSqliteFile(copy).toString());
                runStatements(db, "OSTRAPEL_HISTORY_RUN_SQL");
                RecordCatalogue runCatalogue;
                runCatalogue.load(db);
                runs.push_back(history.measure(db, runCatalogue, held[k]));
            }
            QFile::remove(copy);
        }
        auto pick = [&](double Figures::*m) {
            std::vector<double> v;
            for (const Figures& f : runs)
                v.push_back(f.*m);
            return median(v);
        };
        result[k] = {pick(&Figures::import), pick(&Figures::refusal), pick(&Figures::cleanUp),
                     pick(&Figures::open), pick(&Figures::report)};
        QFile::remove(built);
    }
    std::printf("%-40s %10s %10s %7s\n", "", "1 month", "36 months", "ratio");
    auto row = [&](const char* what, double Figures::*m) {
        std::printf("%-40s %8.1f ms %8.1f ms %6.2fx\n", what, result[0].*m, result[1].*m,
                    result[1].*m / result[0].*m);
    };
    row("import of one more month", &Figures::import);
    row("refusal check (reeds verwerkt)", &Figures::refusal);
    row("clean-up of superseded persons", &Figures::cleanUp);
    row("window opening queries", &Figures::open);
    row("incasso report of the newest month", &Figures::report);
    std::printf("(goal: every ratio <= 1.5)\n");
    return 0;
}
