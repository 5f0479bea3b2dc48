// Check pass and import of a generated statement of about 200,000 lines (one
// collectivity, 15,000 persons), against the floor: the same rows inserted by
// plain prepared statements in one transaction through the same driver. Then
// the clean-up of superseded persons after a second month.
#include "BenchSupport.h"
#include "SampleGenerator.h"
#include "core/Transaction.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DisplayFormat.h"
#include "core/Prompts.h"
#include "core/RecordCatalogue.h"
#include "core/SharedQueries.h"
#include "import/CheckPass.h"
#include "import/ImportRun.h"
#include "import/ImportView.h"
#include "import/InsertStatements.h"
#include "import/SilentImportView.h"
#include "import/StatementFields.h"
#include "import/StatementFile.h"
#include "import/StatementWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

using namespace ostrapel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    installProgramLocale();
    QTemporaryDir dir;

    Connection setup(QStringLiteral("setup"));
    setup.open(
        ConnectionString::forSqliteFile(bench::CopyDatabase(dir, QStringLiteral("catalogue.db"))).toString());
    RecordCatalogue catalogue;
    catalogue.load(setup);

    SampleOptions o;
    o.collectivities = 1;
    o.persons = 15000;
    o.componentsPerPerson = 13;
    o.periods = {QStringLiteral("2006-01"), QStringLiteral("2006-02")};
    o.zip = false;
    const SampleGenerator gen(catalogue, o);
    const QString file1 = dir.filePath(gen.fileName(0, o.periods[0]));
    const QString file2 = dir.filePath(gen.fileName(0, o.periods[1]));
    StatementWriter::writeFile(file1, gen.statementLines(0, o.periods[0]));
    StatementWriter::writeFile(file2, gen.statementLines(0, o.periods[1]));
    const QStringList lines = readStatementLines(file1);
    std::printf("statement: %lld lines, %d persons\n", qlonglong(lines.size()), o.persons);

    // The program: check pass, then the import of the file.
    Connection db(QStringLiteral("import"));
    db.open(
        ConnectionString::forSqliteFile(bench::CopyDatabase(dir, QStringLiteral("import.db"))).toString());
    db.execute(SharedQueries::CreateIndex1024);
    bench::QuietPrompts prompts;
    SilentImportView view;
    QElapsedTimer t;
    t.start();
    const StatementSummary s = checkStatementFile(catalogue, view, file1, 1);
    const double checkMs = double(t.nsecsElapsed()) / 1e6;
    ImportRun run(db, catalogue, prompts, view, 1, dir.path());
    bool post = false;
    t.restart();
    run.importStatementFile(file1, s.ImpAantalRec, post, false);
    const double importMs = double(t.nsecsElapsed()) / 1e6;

    // The floor: the same rows, converted beforehand, through plain prepared inserts.
    Connection floorDb(QStringLiteral("floor"));
    floorDb.open(
        ConnectionString::forSqliteFile(bench::CopyDatabase(dir, QStringLiteral("floor.db"))).toString());
    const QString types[4] = {QStringLiteral("00"), QStringLiteral("10"), QStringLiteral("50"),
                              QStringLiteral("99")};
    std::vector<std::pair<int, std::vector<QVariant>>> rows;
    for (const QString& line : lines) {
        const int which = int(std::find(types, types + 4, recordTypeOf(catalogue, line)) - types);
        if (which >= 4) continue;
        std::vector<QVariant> values;
        for (const QString& kind : {QStringLiteral("ID"), types[which]})
            for (const auto& e : *catalogue.kindList(kind)) {
                QVariant v = convertFieldValue(kind, e->name.mid(2, 2), e->type,
                                               rawFieldText(line, e->start, e->length));
                if (v.metaType().id() == QMetaType::QDate) v = v.toDate().toString(Qt::ISODate);
                values.push_back(v);
            }
        rows.emplace_back(which, std::move(values));
    }
    QSqlQuery inserts[4];
    for (int i = 0; i < 4; ++i) {
        inserts[i] = QSqlQuery(floorDb.database());
        QStringList marks;
        for (const QString& kind : {QStringLiteral("ID"), types[i]})
            for (size_t k = 0; k < catalogue.kindList(kind)->size(); ++k)
                marks << QStringLiteral("?");
        inserts[i].prepare(QStringLiteral("insert into bord") + types[i] + QStringLiteral(" values(") +
                           marks.join(u',') + u')');
    }
    t.restart();
    floorDb.database().transaction();
    for (const auto& [which, values] : rows) {
        for (size_t k = 0; k < values.size(); ++k)
            inserts[which].bindValue(int(k), values[k]);
        inserts[which].exec();
    }
    floorDb.database().commit();
    const double floorMs = double(t.nsecsElapsed()) / 1e6;

    // The clean-up after a second month: 15,000 persons lose their older row.
    const StatementSummary s2 = checkStatementFile(catalogue, view, file2, 1);
    run.importStatementFile(file2, s2.ImpAantalRec, post, false);
    t.restart();
    {
        Transaction tr(db);
        run.purgeSupersededPersons(lines.first());
        tr.commit();
    }
    const double purgeMs = double(t.nsecsElapsed()) / 1e6;

    const double n = double(lines.size());
    std::printf("check pass        %8.0f ms  %9.0f lines/s\n", checkMs, n / checkMs * 1000);
    std::printf("import            %8.0f ms  %9.0f lines/s\n", importMs, n / importMs * 1000);
    std::printf("check + import    %8.0f ms  %9.0f lines/s\n", checkMs + importMs,
                n / (checkMs + importMs) * 1000);
    std::printf("floor (plain)     %8.0f ms  %9.0f lines/s\n", floorMs, n / floorMs * 1000);
    std::printf("ratio import/floor %.2f   (check + import)/floor %.2f\n", importMs / floorMs,
                (checkMs + importMs) / floorMs);
    std::printf("clean-up of %d persons: %.0f ms (bord10 rows left: %d)\n", o.persons, purgeMs,
                db.scalar(QStringLiteral("select count(*) from bord10")).toInt());
    return 0;
}
