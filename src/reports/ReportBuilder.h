#pragma once

#include "ReportFieldDescriber.h"
#include "ReportInputs.h"
#include "ReportWriter.h"

#include "core/DataSet.h"
#include "core/SystemClock.h"

#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;

namespace ostrapel {

class Connection;
class RecordCatalogue;
class ProgressReporter;

// Builds the reports and the export's data set: the report inputs, the
// collectivity, totals and report queries, and the driver that walks them into
// a paged text report.
class ReportBuilder {
public:
    // `clock` gives the time the report footers show.
    ReportBuilder(Connection& connection, const RecordCatalogue& catalogue,
                  const Clock& clock = SystemClock::instance());

    ReportInputs inputs;

    // Writes a report to `out`. Source 0 walks `dataSet` row by row (the
    // renewal report), source 1 the module's own report query person by person.
    void buildReport(ReportKind kind, const QString& title, DataSet* dataSet, int source, int pageLength,
                     QIODevice& out, ProgressReporter& progress);
    // The same into a new file "yyyymmddhhnnss.txt" in `folder`; returns its path.
    // A failed report leaves no file behind.
    QString buildReportFile(ReportKind kind, const QString& title, DataSet* dataSet, int source,
                            int pageLength, const QString& folder, ProgressReporter& progress);

    // The export query of the wizard's fields (names joined by ";"), opened and
    // sorted; throws "Geen velden geselecteerd" without person fields.
    DataSet& buildExportQuery(const QString& personFields, const QString& componentFields);

    // The preparation step of a kind: builds and opens its queries.
    void prepare(ReportKind kind, ProgressReporter& progress);
    QString exportDataSql() const { return exportSql_; }
    DataSet& collData() { return collData_; }
    DataSet& exportData() { return exportData_; }
    DataSet& totals() { return totals_; }

    // Runs a report query, its computed columns typed by name.
    DataSet openQuery(const QString& sql, const QVariantMap& params = {});
    // The rows of the renewal differences report for the collectivity of `inputs`.
    DataSet openRenewalDifferences(const QString& from, const QString& to);

    // The person's name as the reports print it, from [1002] to [1022] of the current row.
    static QString personName(const DataSet& row);
    static QString addressLine(const DataSet& row);

private:
    void openCollData();
    void openExportData(const QStringList& lines, const QVariantMap& params);
    void walkRecords(ReportKind kind, const QString& title, DataSet& dataSet, ProgressReporter& progress);
    void walkGroups(ReportKind kind, const QString& title, ProgressReporter& progress);
    void newPage(ReportKind kind, const QString& title);
    const DataSet* collectivityRow() const;
    QString headerPeriod(ReportKind kind) const;

    void buildPersonLines(const DataSet& row);
    void writePersonHeader(const DataSet& row);
    void writeComponentHeader(ReportKind kind);
    void writeComponentLine(ReportKind kind, const DataSet& row);
    void writeGroupTotal(ReportKind kind);
    void writeTotalsOverview();
    void writeRenewalBlock(const DataSet& row);

    Connection& connection_;
    const RecordCatalogue& catalogue_;
    const Clock& clock_;
    ReportFieldDescriber describer_;
    DataSet collData_;
    DataSet exportData_;
    DataSet totals_;
    QString exportSql_;
    std::unique_ptr<ReportWriter> writer_;
    QStringList personLines_;
    QString groupKey_;
    double premiumSum_ = 0;
    double correctionSum_ = 0;
};

} // namespace ostrapel
