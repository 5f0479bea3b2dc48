// Import of a generated statement of about 195,000 lines (one collectivity,
// 15,000 persons) against the sqlite3 shell's .import of the same rows into
// the same tables with the same indexes, each into a fresh database; median of
// three runs. Then the clean-up of superseded persons after a second month.
// With OSTRAPEL_BENCH_POSTGRESQL (the connection string of a server's
// maintenance database) also the import into a fresh server database.
#include "BenchSupport.h"
#include "SampleGenerator.h"
#include "core/Transaction.h"

#include "core/Connection.h"
#include "core/ConnectionString.h"
#include "core/DisplayFormat.h"
#include "core/PostgreSqlSchema.h"
#include "core/Prompts.h"
#include "core/RecordCatalogue.h"
#include "core/SharedQueries.h"
#include "import/CheckPass.h"
#include "import/ImportRun.h"
#include "import/SilentImportView.h"
#include "import/StatementFields.h"
#include "import/StatementFile.h"
#include "import/StatementWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace ostrapel;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A fresh database with the program's schema and the index the program adds at start-up.
QString freshDatabase(const QTemporaryDir& dir, const QString& name) {
    const QString path = bench::CopyDatabase(dir, name);
    Connection c(QStringLiteral("fresh"));
    c.open(ConnectionString::forSqliteFile(path).toString());
    c.execute(SharedQueries::CreateIndex1024);
    return path;
}

// The rows of the statement as one tab-separated file per table, values as the import converts them.
QStringList writeTables(const RecordCatalogue& catalogue, const QStringList& lines,
                        const QTemporaryDir& dir) {
    const QString types[4] = {QStringLiteral("00"), QStringLiteral("10"), QStringLiteral("50"),
                              QStringLiteral("99")};
    QStringList paths;
    QFile files[4];
    for (int i = 0; i < 4; ++i) {
        paths << dir.filePath(QStringLiteral("bord%1.tsv").arg(types[i]));
        files[i].setFileName(paths.last());
        if (!files[i].open(QIODevice::WriteOnly)) return {};
    }
    for (const QString& line : lines) {
        const int which = int(std::find(types, types + 4, recordTypeOf(catalogue, line)) - types);
        if (which >= 4) continue;
        QStringList values;
        for (const QString& kind : {QStringLiteral("ID"), types[which]})
            for (const auto& e : *catalogue.kindList(kind)) {
                const QVariant v = convertFieldValue(kind, e->name.mid(2, 2), e->type,
                                                     rawFieldText(line, e->start, e->length));
                values << (v.metaType().id() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                                 : v.toString());
            }
        files[which].write(values.join(u'\t').toUtf8() + '\n');
    }
    return paths;
}

// The shell's load of the tables into `database`, in milliseconds; -1 when it fails.
double shellImport(const QString& shell, const QString& database, const QStringList& tables) {
    QString script = QStringLiteral(".mode tabs\n");
    for (const QString& path : tables)
        script += QStringLiteral(".import '%1' %2\n").arg(path, QFileInfo(path).completeBaseName());
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(shell, {QStringLiteral("-bail"), database});
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (p.exitCode() != 0 || !p.readAllStandardError().isEmpty()) return -1;
    return ms;
}

// A statement to the server's maintenance database; false with a message when it fails.
bool onServer(const QString& maintenance, const QString& sql) {
    Connection c(QStringLiteral("server"));
    c.open(maintenance);
    QSqlQuery q(c.database());
    if (q.exec(sql)) return true;
    std::printf("%s\n", qPrintable(q.lastError().text()));
    return false;
}

// A fresh server database built from db/ with the start-up index; its connection string.
QString freshServerDatabase(const QString& maintenance, const QString& name) {
    onServer(maintenance, QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
    if (!onServer(maintenance, QStringLiteral("CREATE DATABASE %1").arg(name))) return {};
    ConnectionString cs = ConnectionString::parse(maintenance);
    cs.setValue(QStringLiteral("Database"), name);
    createDeliveredPostgreSqlDatabase(cs.toString());
    Connection c(QStringLiteral("fresh"));
    c.open(cs.toString());
    // unprepared: the server prepares no DDL
    QSqlQuery index(c.database());
    if (!index.exec(c.dialect().translate(SharedQueries::CreateIndex1024).sql)) {
        std::printf("%s\n", qPrintable(index.lastError().text()));
        return {};
    }
    return cs.toString();
}

// Runs a psql script on a database of the server, in milliseconds; -1 when it fails.
double psqlScript(const QString& psql, const QString& server, const QString& database,
                  const QString& script) {
    const ConnectionString cs = ConnectionString::parse(server);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!cs.value(QStringLiteral("Password")).isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), cs.value(QStringLiteral("Password")));
    p.setProcessEnvironment(env);
    QStringList args = {QStringLiteral("-X"), QStringLiteral("-q"),
                        QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                        QStringLiteral("-d"), database};
    for (const auto& [option, key] :
         {std::pair{"-h", "Host"}, std::pair{"-p", "Port"}, std::pair{"-U", "User ID"}})
        if (!cs.value(QLatin1String(key)).isEmpty())
            args << QLatin1String(option) << cs.value(QLatin1String(key));
    QElapsedTimer t;
    t.start();
    p.start(psql, args);
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::printf("psql failed: %s\n", p.readAllStandardError().constData());
        return -1;
    }
    return ms;
}

} // namespace

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
    const QString file1 = dir.filePath(gen.fileName(0, o.periods[1]));
    const QString file0 = dir.filePath(gen.fileName(0, o.periods[0]));
    StatementWriter::writeFile(file1, gen.statementLines(0, o.periods[1]));
    StatementWriter::writeFile(file0, gen.statementLines(0, o.periods[0]));
    const QStringList lines = readStatementLines(file1);
    std::printf("statement: %lld lines, %d persons\n", qlonglong(lines.size()), o.persons);

    bench::QuietPrompts prompts;
    SilentImportView view;
    const int runs = 3;
    std::vector<double> check, import, shell;
    for (int run = 0; run < runs; ++run) {
        Connection db(QStringLiteral("import"));
        db.open(ConnectionString::forSqliteFile(freshDatabase(dir, QStringLiteral("import%1.db").arg(run)))
                    .toString());
        QElapsedTimer t;
        t.start();
        const StatementSummary s = checkStatementFile(catalogue, view, file1, 1);
        check.push_back(double(t.nsecsElapsed()) / 1e6);
        ImportRun importRun(db, catalogue, prompts, view, 1, dir.path());
        bool post = false;
        t.restart();
        importRun.importStatementFile(file1, s.countedRecords, post, false);
        import.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    const QString sqlite3 = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3.isEmpty()) {
        std::printf("the sqlite3 shell is not installed (Debian package sqlite3): no peer figure\n");
    } else {
        const QStringList tables = writeTables(catalogue, lines, dir);
        for (int run = 0; run < runs; ++run) {
            const double ms =
                shellImport(sqlite3, freshDatabase(dir, QStringLiteral("shell%1.db").arg(run)), tables);
            if (ms < 0) {
                std::printf("the sqlite3 shell's .import failed\n");
                return 1;
            }
            shell.push_back(ms);
        }
    }

    const double n = double(lines.size());
    const double checkMs = median(check), importMs = median(import);
    std::printf("check pass        %8.0f ms  %9.0f lines/s\n", checkMs, n / checkMs * 1000);
    std::printf("import            %8.0f ms  %9.0f lines/s\n", importMs, n / importMs * 1000);
    std::printf("check + import    %8.0f ms  %9.0f lines/s\n", checkMs + importMs,
                n / (checkMs + importMs) * 1000);
    if (!shell.empty()) {
        const double shellMs = median(shell);
        std::printf("sqlite3 .import   %8.0f ms  %9.0f lines/s\n", shellMs, n / shellMs * 1000);
        std::printf("ratio import/shell %.2f (goal <= 1.2)   (check + import)/shell %.2f\n",
                    importMs / shellMs, (checkMs + importMs) / shellMs);
    }

    const QString server = qEnvironmentVariable("OSTRAPEL_BENCH_POSTGRESQL");
    if (server.isEmpty()) {
        std::printf("OSTRAPEL_BENCH_POSTGRESQL not set: no PostgreSQL figure\n");
    } else {
        auto databaseName = [](const char* what, int run) {
            return QStringLiteral("ostrapel_bench_%1_%2%3")
                .arg(QCoreApplication::applicationPid())
                .arg(QLatin1String(what))
                .arg(run);
        };
        std::vector<double> pg, peer;
        QStringList databases;
        for (int run = 0; run < runs; ++run) {
            databases << databaseName("import", run);
            const QString cs = freshServerDatabase(server, databases.last());
            if (cs.isEmpty()) return 1;
            Connection db(QStringLiteral("import"));
            db.open(cs);
            const StatementSummary s = checkStatementFile(catalogue, view, file1, 1);
            ImportRun importRun(db, catalogue, prompts, view, 1, dir.path());
            bool post = false;
            QElapsedTimer t;
            t.start();
            importRun.importStatementFile(file1, s.countedRecords, post, false);
            pg.push_back(double(t.nsecsElapsed()) / 1e6);
            if (db.scalar(QStringLiteral("select count(*) from bord50")).toInt() == 0) {
                std::printf("PostgreSQL import stored no rows\n");
                return 1;
            }
        }
        // The peer: psql's \copy of the rows the import stored, into the same tables and indexes.
        const QString psql = QStandardPaths::findExecutable(QStringLiteral("psql"));
        const QStringList tables = {QStringLiteral("bord00"), QStringLiteral("bord10"),
                                    QStringLiteral("bord50"), QStringLiteral("bord99")};
        if (psql.isEmpty()) {
            std::printf("psql is not installed (Debian package postgresql-client): no peer figure\n");
        } else {
            QString out, in = QStringLiteral("begin;\n");
            for (const QString& table : tables) {
                const QString file = dir.filePath(table + QStringLiteral(".copy"));
                out += QStringLiteral("\\copy %1 to '%2'\n").arg(table, file);
                in += QStringLiteral("\\copy %1 from '%2'\n").arg(table, file);
            }
            in += QStringLiteral("commit;\n");
            if (psqlScript(psql, server, databases.first(), out) < 0) return 1;
            for (int run = 0; run < runs; ++run) {
                databases << databaseName("psql", run);
                if (freshServerDatabase(server, databases.last()).isEmpty()) return 1;
                const double ms = psqlScript(psql, server, databases.last(), in);
                if (ms < 0) return 1;
                peer.push_back(ms);
            }
        }
        for (const QString& name : std::as_const(databases))
            onServer(server, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
        const double pgMs = median(pg);
        std::printf("PostgreSQL import %8.0f ms  %9.0f lines/s\n", pgMs, n / pgMs * 1000);
        if (!peer.empty()) {
            const double peerMs = median(peer);
            std::printf("psql \\copy        %8.0f ms  %9.0f lines/s\n", peerMs, n / peerMs * 1000);
            std::printf("ratio PostgreSQL import/psql %.2f   PostgreSQL/SQLite import %.2f\n", pgMs / peerMs,
                        pgMs / importMs);
        }
    }

    // The clean-up after a second month: 15,000 persons lose their older row.
    Connection db(QStringLiteral("cleanup"));
    db.open(ConnectionString::forSqliteFile(freshDatabase(dir, QStringLiteral("cleanup.db"))).toString());
    ImportRun importRun(db, catalogue, prompts, view, 1, dir.path());
    bool post = false;
    for (const QString& file : {file0, file1})
        importRun.importStatementFile(file, checkStatementFile(catalogue, view, file, 1).countedRecords, post,
                                      false);
    QElapsedTimer t;
    t.start();
    {
        Transaction tr(db);
        importRun.purgeSupersededPersons(lines.first());
        tr.commit();
    }
    std::printf("clean-up of %d persons: %.0f ms (bord10 rows left: %d)\n", o.persons,
                double(t.nsecsElapsed()) / 1e6,
                db.scalar(QStringLiteral("select count(*) from bord10")).toInt());
    return 0;
}
