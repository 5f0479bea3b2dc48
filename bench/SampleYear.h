#pragma once

#include "BenchSupport.h"
#include "SampleGenerator.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/RecordCatalogue.h"
#include "core/SharedQueries.h"
#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/SilentImportView.h"

#include <QFile>
#include <QTemporaryDir>

namespace ostrapel::bench {

// Collectivity 12-1 with `persons` insured persons and their premium
// components for every month of 2006, generated and imported into `db`.
inline void importSampleYear(Connection& db, const RecordCatalogue& catalogue, const QTemporaryDir& dir,
                             int persons) {
    SampleOptions o;
    o.collectivities = 1;
    o.persons = persons;
    o.componentsPerPerson = 2;
    o.periods.clear();
    for (int m = 1; m <= 12; ++m)
        o.periods << QStringLiteral("2006-%1").arg(m, 2, 10, QChar(u'0'));
    o.zip = false;
    const QStringList files = SampleGenerator(catalogue, o).writeAll(dir.filePath(QStringLiteral("in")));
    QuietPrompts prompts;
    SilentImportView view;
    ImportRun run(db, catalogue, prompts, view, 1, dir.filePath(QStringLiteral("in")));
    run.setFileList(files);
    run.execute([](std::vector<StatementSummary>& s) {
        for (StatementSummary& x : s)
            x.importFlag = u'J';
        return true;
    });
}

// The benchmark's database: OSTRAPEL_BENCH_DB names one generated before (see
// statement_bench's OSTRAPEL_BENCH_KEEP); otherwise a year of 15,000 persons is generated.
inline void openBenchDatabase(Connection& db, RecordCatalogue& catalogue, const QTemporaryDir& dir) {
    const QString reuse = qEnvironmentVariable("OSTRAPEL_BENCH_DB");
    const QString path = reuse.isEmpty() ? CopyDatabase(dir, QStringLiteral("borderel.db"))
                                         : CopyDatabase(dir, QStringLiteral("borderel.db"), reuse);
    db.open(ConnectionString::forSqliteFile(path).toString());
    if (reuse.isEmpty()) db.execute(SharedQueries::CreateIndex1024);
    catalogue.load(db);
    if (!reuse.isEmpty()) return;
    importSampleYear(db, catalogue, dir, 15000);
    if (const QString keep = qEnvironmentVariable("OSTRAPEL_BENCH_KEEP"); !keep.isEmpty()) {
        QFile::remove(keep);
        db.execute(QStringLiteral("vacuum into '") + QString(keep).replace(u'\'', QStringLiteral("''")) +
                   u'\'');
    }
}

} // namespace ostrapel::bench
