// Loads a 100,000-row premium-component result into a DataSet and sorts it on
// two fields. Prints rows per second (items_per_second).
#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DataSet.h"
#include "core/DisplayFormat.h"
#include "core/Transaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace ostrapel;

namespace {

constexpr int kRows = 100000;

Connection& database() {
    static QTemporaryDir dir;
    static Connection c(QStringLiteral("bench"));
    if (!c.isOpen()) {
        const QString path = dir.filePath(QStringLiteral("borderel.db"));
        QFile::copy(QStringLiteral(OSTRAPEL_DELIVERED_DB), path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        c.open(ConnectionString::forSqliteFile(path).toString());
        QRandomGenerator rng(42);
        Transaction t(c);
        SqlStatement& s = c.prepare(QStringLiteral(
            "insert into bord50 (ID01, ID02, ID03, ID05, ID07, ID08, [5002], [5003], [5004], [5008], [5009], "
            "[5010], [5012]) "
            "values (12, 1, :p, :u, :k, '50', :o, 'PR', :c, :a, '2006-01-01', '2006-12-31', :n)"));
        for (int i = 0; i < kRows; ++i) {
            const int person = int(rng.bounded(15000));
            s.bind(QStringLiteral("p"), QStringLiteral("2006-%1").arg(1 + i % 12, 2, 10, QChar(u'0')));
            s.bind(QStringLiteral("u"), QStringLiteral("U%1").arg(person / 3, 8, 10, QChar(u'0')));
            s.bind(QStringLiteral("k"), QStringLiteral("K%1").arg(person, 8, 10, QChar(u'0')));
            s.bind(QStringLiteral("o"), QString::number(1 + int(rng.bounded(3))));
            s.bind(QStringLiteral("c"), QStringLiteral("C%1").arg(rng.bounded(40)));
            s.bind(QStringLiteral("a"), double(rng.bounded(100000)) / 100.0 - 200.0);
            s.bind(QStringLiteral("n"), QStringLiteral("Component %1").arg(rng.bounded(40)));
            s.exec();
        }
        t.commit();
    }
    return c;
}

const QString kSelect = QStringLiteral("select * from bord50");

void BM_LoadBord50(benchmark::State& state) {
    Connection& c = database();
    for (auto _ : state) {
        DataSet ds = c.query(kSelect);
        benchmark::DoNotOptimize(ds.recordCount());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_SortBord50TwoFields(benchmark::State& state) {
    Connection& c = database();
    DataSet ds = c.query(kSelect);
    for (auto _ : state) {
        ds.sort(QStringLiteral("5012, 5008"));
        benchmark::DoNotOptimize(ds.recNo());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

BENCHMARK(BM_LoadBord50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBord50TwoFields)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
