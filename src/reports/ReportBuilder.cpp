#include "ReportBuilder.h"

#include "ExportQuery.h"

#include "ReportQueries.h"
#include "ReportTexts.h"
#include "SqlLog.h"

#include "collectivity/CollectivityQueries.h"
#include "core/Connection.h"
#include "core/DisplayFormat.h"
#include "core/FileWriter.h"
#include "core/OstrapelError.h"
#include "core/ParameterValues.h"
#include "core/ProgressReporter.h"
#include "core/RecordCatalogue.h"
#include "core/SqlStatement.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>

namespace ostrapel {

using namespace ReportTexts;

namespace {

const QString kLines = QStringLiteral("\r\n");

QString text(const DataSet& row, const QString& field) {
    return row.value(field).toString();
}

// Amount columns hold numbers, or the text "0,00" of the renewal query.
double amountOf(const QVariant& v) {
    if (v.metaType().id() != QMetaType::QString) return v.toDouble();
    bool ok = false;
    const double x = QLocale::c().toDouble(v.toString(), &ok);
    return ok ? x : programLocale().toDouble(v.toString());
}

double amount(const DataSet& row, const char* field) {
    return amountOf(row.value(QString::fromLatin1(field)));
}

// Progress is moved at most once per interval: max(records / 20, 100) ms.
class ThrottledProgress {
public:
    ThrottledProgress(ProgressReporter& p, int records) : p_(p), interval_(std::max(records / 20, 100)) {
        timer_.start();
    }
    void update(int recordNumber) {
        if (timer_.elapsed() > interval_) {
            p_.setPosition(recordNumber);
            timer_.restart();
        }
    }

private:
    ProgressReporter& p_;
    qint64 interval_;
    QElapsedTimer timer_;
};

} // namespace

ReportBuilder::ReportBuilder(Connection& connection, const RecordCatalogue& catalogue, const Clock& clock)
    : connection_(connection), catalogue_(catalogue), clock_(clock), describer_(catalogue),
      exportData_(&describer_) {}

const DataSet* ReportBuilder::collectivityRow() const {
    return collData_.recNo() >= 0 ? &collData_ : nullptr;
}

QString ReportBuilder::headerPeriod(ReportKind kind) const {
    // The correction report shows the month it is about, not the month of the
    // collectivity record it stands on.
    return kind == ReportKind::Correction ? inputs.correctionMonth : QString();
}

void ReportBuilder::newPage(ReportKind kind, const QString& title) {
    writer_->newPage(title, collectivityRow(),
                     kind == ReportKind::Collection || kind == ReportKind::Correction, headerPeriod(kind));
}

DataSet ReportBuilder::openQuery(const QString& sql, const QVariantMap& params) {
    // A statement of its own: report texts are not kept for reuse.
    const std::unique_ptr<SqlStatement> statement = connection_.prepareNew(sql);
    statement->bind(params);
    statement->exec();
    DataSet data(&describer_);
    data.load(statement->query());
    statement->finish();
    return data;
}

DataSet ReportBuilder::openRenewalDifferences(const QString& from, const QString& to) {
    const QString sql =
        ReportQueries::renewalDifferences(inputs.collectivity, inputs.insuranceType, from, to).join(kLines);
    sendDebugMessage(sql);
    return openQuery(sql);
}

void ReportBuilder::openCollData() {
    collData_ = openQuery(CollectivityQueries::Collectivity,
                          {{QStringLiteral("ID01"), inputs.collectivity.number},
                           {QStringLiteral("ID02"), inputs.collectivity.sequence}});
}

void ReportBuilder::openExportData(const QStringList& lines, const QVariantMap& params) {
    exportSql_ = lines.join(kLines);
    // Kept by the engine and read a page at a time: a report over every month
    // of a big collectivity would otherwise hold millions of rows in memory.
    exportData_.loadSnapshot(connection_, withParameterValues(exportSql_, params));
    catalogue_.prepareFields(exportData_, QStringLiteral("10"), true);
}

void ReportBuilder::prepare(ReportKind kind, ProgressReporter& progress) {
    progress.setText(Initialiseren);
    const QVariant nr = inputs.collectivity.number;
    const QVariant sequenceNumber = inputs.collectivity.sequence;
    switch (kind) {
    case ReportKind::Collection: {
        const QString totalsSql = ReportQueries::totals(inputs.insuranceType).join(kLines);
        sendDebugMessage(QStringLiteral("totalen ") + totalsSql);
        sendDebugMessage(QString::number(inputs.collectivity.number));
        sendDebugMessage(QString::number(inputs.collectivity.sequence));
        sendDebugMessage(inputs.reportMonth);
        const QString month = inputs.reportMonth;
        const QVariantMap totalsParams{{QStringLiteral("Id011"), nr},
                                       {QStringLiteral("Id012"), nr},
                                       {QStringLiteral("Id013"), nr},
                                       {QStringLiteral("Id021"), sequenceNumber},
                                       {QStringLiteral("Id022"), sequenceNumber},
                                       {QStringLiteral("Id023"), sequenceNumber},
                                       {QStringLiteral("Id031"), month},
                                       {QStringLiteral("Id032"), month},
                                       {QStringLiteral("Id033"), month}};
        const QStringList lines = ReportQueries::collection(inputs.insuranceType, inputs.compoundSurname);
        sendDebugMessage(QStringLiteral("exportdata ") + lines.join(kLines));
        progress.setText(Collectiviteitsgegevens);
        openCollData();
        if (!collData_.locate(Field::Period, month, Qt::CaseSensitive)) collData_.first();
        progress.setText(Premiegegevens);
        openExportData(ReportQueries::collectionToRun(inputs.insuranceType, inputs.compoundSurname),
                       {{QStringLiteral("Periode1"), month},
                        {QStringLiteral("Periode2"), month},
                        {QStringLiteral("CollNr1"), nr},
                        {QStringLiteral("CollNr2"), nr},
                        {QStringLiteral("CollVolgNr1"), sequenceNumber},
                        {QStringLiteral("CollVolgNr2"), sequenceNumber}});
        progress.setText(Premietotalen);
        totals_ = openQuery(totalsSql, totalsParams);
        break;
    }
    case ReportKind::Selection: {
        const SelectionClauses clauses{
            inputs.componentsPeriodClause, inputs.herkomstClause, inputs.soortClause,
            inputs.componentClause,        inputs.searchClause,   inputs.filterClause};
        const QStringList lines =
            ReportQueries::selection(inputs.insuranceType, inputs.compoundSurname, clauses);
        sendDebugMessage(lines.join(kLines));
        progress.setText(Collectiviteitsgegevens);
        openCollData();
        collData_.last();
        progress.setText(Premiegegevens);
        openExportData(lines, {{QStringLiteral("CollNr1"), nr},
                               {QStringLiteral("CollNr2"), nr},
                               {QStringLiteral("CollVolgNr1"), sequenceNumber},
                               {QStringLiteral("CollVolgNr2"), sequenceNumber}});
        break;
    }
    case ReportKind::Correction: {
        progress.setText(Collectiviteitsgegevens);
        openCollData();
        collData_.last();
        progress.setText(Premiegegevens);
        openExportData(ReportQueries::correction(inputs.insuranceType, inputs.compoundSurname),
                       {{QStringLiteral("CollNr"), nr},
                        {QStringLiteral("CollVolgNr"), sequenceNumber},
                        {QStringLiteral("PremiePeriode"), inputs.correctionMonth}});
        break;
    }
    case ReportKind::Renewal:
        progress.setText(Collectiviteitsgegevens);
        openCollData();
        collData_.last();
        break;
    }
}

DataSet& ReportBuilder::buildExportQuery(const QString& personFields, const QString& componentFields) {
    if (personFields.trimmed().isEmpty()) throw OstrapelError(ReportTexts::GeenVelden);
    const ExportQuery query(personFields, componentFields);
    exportSql_ = query.lines(inputs).join(kLines);
    sendDebugMessage(exportSql_);
    // Sorted and kept by the engine, like the reports' rows.
    exportData_.loadSnapshot(connection_, exportSql_, query.sortList(inputs));
    catalogue_.prepareFields(exportData_, QStringLiteral("10"), true);
    return exportData_;
}

QString ReportBuilder::personName(const DataSet& row) {
    QString name = text(row, Field::Initials);
    if (text(row, Field::CompoundName) == QStringLiteral("J")) {
        for (const QString& f : {Field::PartnerPrefixes, Field::PartnerSurname})
            if (!text(row, f).isEmpty()) name += u' ' + text(row, f).trimmed();
        name += u'-';
        if (!text(row, Field::Prefixes).isEmpty()) name += text(row, Field::Prefixes) + u' ';
        name += text(row, Field::Surname);
    } else {
        for (const QString& f : {Field::Prefixes, Field::Surname})
            if (!text(row, f).isEmpty()) name += u' ' + text(row, f).trimmed();
    }
    return name;
}

QString ReportBuilder::addressLine(const DataSet& row) {
    QStringList street;
    for (const QString& f : {Field::Street, Field::HouseNumber, Field::HouseNumberSuffix})
        if (!text(row, f).trimmed().isEmpty()) street << text(row, f).trimmed();
    QString streetText = street.join(u' ');
    const QString addition = text(row, Field::AddressAddition).trimmed();
    if (!addition.isEmpty())
        streetText += (streetText.isEmpty() ? QString() : QStringLiteral(", ")) + addition;

    const QString postcode = text(row, Field::Postcode);
    QStringList place;
    if (!postcode.left(4).trimmed().isEmpty()) place << postcode.left(4);
    if (!postcode.mid(4, 2).trimmed().isEmpty()) place << postcode.mid(4, 2);
    if (!text(row, Field::Place).trimmed().isEmpty()) place << text(row, Field::Place).trimmed();

    return streetText.leftJustified(46, u' ') + place.join(u' ').leftJustified(30, u' ') +
           text(row, Field::Country).leftJustified(25, u' ');
}

void ReportBuilder::buildPersonLines(const DataSet& row) {
    personLines_ = {personName(row), addressLine(row)};
}

void ReportBuilder::writePersonHeader(const DataSet& row) {
    ReportWriter& w = *writer_;
    w.writeRule(u'_');
    w.appendText(QStringLiteral("Werknemernr.:"), ReportWriter::Left, 14, 0);
    w.appendField(row, Field::EmployeeNumber, ReportWriter::Left, 16, 2);
    w.appendText(QStringLiteral("Klantnr.:"), ReportWriter::Left, 9, 1);
    w.appendField(row, Field::PersonKey, ReportWriter::Left, 20, 2);
    w.writeLine();
    w.writeRule(ReportWriter::kMacron);
    groupKey_ = row.value(inputs.keyField).toString();
}

void ReportBuilder::writeComponentHeader(ReportKind kind) {
    ReportWriter& w = *writer_;
    for (const QString& line : std::as_const(personLines_)) {
        w.appendText(line, ReportWriter::LeftUntrimmed, 0, 0);
        w.writeLine();
    }
    personLines_.clear();
    w.writeLine();
    premiumSum_ = correctionSum_ = 0;
    const bool selection = kind == ReportKind::Selection;
    if (selection) w.appendText(QStringLiteral("Periode"), ReportWriter::Left, 9, 0);
    w.appendText(selection ? QStringLiteral("PremieComponent") : QStringLiteral("Premiecomponent"),
                 ReportWriter::Left, 40, 0);
    w.appendText(QStringLiteral("Premie"), ReportWriter::Right, 12, 0);
    w.appendText(QStringLiteral("Correctie"), ReportWriter::Right, 12, 0);
    w.appendText(Totaal, ReportWriter::Right, 12, 0);
    w.appendText(QString(), ReportWriter::Left, 0, 3);
    w.appendText(QStringLiteral("Van"), ReportWriter::Left, 12, 0);
    w.appendText(QStringLiteral("Tot"), ReportWriter::Left, 12, 0);
    w.writeLine();
    if (selection) w.appendText(QStringLiteral("-------"), ReportWriter::Left, 9, 0);
    w.appendText(QStringLiteral("---------------"), ReportWriter::Left, 40, 0);
    w.appendText(QStringLiteral("------"), ReportWriter::Right, 12, 0);
    w.appendText(QStringLiteral("---------"), ReportWriter::Right, 12, 0);
    w.appendText(QStringLiteral("------"), ReportWriter::Right, 12, 0);
    w.appendText(QString(), ReportWriter::Left, 0, 3);
    w.appendText(QString(10, u'-'), ReportWriter::Left, 12, 0);
    w.appendText(QString(10, u'-'), ReportWriter::Left, 12, 0);
    w.writeLine();
}

void ReportBuilder::writeComponentLine(ReportKind kind, const DataSet& row) {
    ReportWriter& w = *writer_;
    if (kind == ReportKind::Selection)
        w.appendField(row, QStringLiteral("Periode"), ReportWriter::Left, 9, 0);
    if (!text(row, Field::ComponentName).isEmpty())
        w.appendField(row, Field::ComponentName, ReportWriter::Left, 40, 1);
    else
        w.appendText(ManualComponent, ReportWriter::Left, 40, 1);
    premiumSum_ += amount(row, "TotaalPremie");
    correctionSum_ += amount(row, "TotaalCorrectie");
    w.appendAmount(amount(row, "TotaalPremie"), 12);
    w.appendAmount(amount(row, "TotaalCorrectie"), 12);
    w.appendAmount(amount(row, "Totaal"), 12);
    w.appendField(row, Field::ValidFrom, ReportWriter::Right, 12, 0);
    w.appendField(row, Field::ValidTo, ReportWriter::Right, 12, 0);
    w.writeLine();
}

void ReportBuilder::writeGroupTotal(ReportKind kind) {
    ReportWriter& w = *writer_;
    if (kind == ReportKind::Selection) w.appendText(QString(), ReportWriter::Left, 9, 0);
    w.appendText(Totaal, ReportWriter::Left, 41, 0);
    w.appendAmount(premiumSum_, 12);
    w.appendAmount(correctionSum_, 12);
    w.appendAmount(premiumSum_ + correctionSum_, 12);
    w.writeLine();
}

void ReportBuilder::writeTotalsOverview() {
    ReportWriter& w = *writer_;
    w.lineBuffer().clear();
    w.writeLine();
    w.lineBuffer() = QStringLiteral("Totaaloverzicht");
    w.writeLine();
    w.writeRule(u'_');
    double premie = 0, correctie = 0, totaal = 0;
    w.appendText(QStringLiteral("PremieComponent"), ReportWriter::Left, 40, 0);
    w.appendText(QStringLiteral("Oude Premie"), ReportWriter::Right, 16, 0);
    w.appendText(QStringLiteral("Verschil"), ReportWriter::Right, 20, 0);
    w.appendText(QStringLiteral("Nwe Premie"), ReportWriter::Right, 20, 0);
    w.writeLine();
    w.appendText(QStringLiteral("---------------"), ReportWriter::Left, 40, 0);
    w.appendText(QStringLiteral("-----------"), ReportWriter::Right, 16, 0);
    w.appendText(QStringLiteral("--------"), ReportWriter::Right, 20, 0);
    w.appendText(QStringLiteral("----------"), ReportWriter::Right, 20, 0);
    w.writeLine();
    for (totals_.first(); !totals_.eof(); totals_.next()) {
        w.appendField(totals_, QStringLiteral("PremieComponent"), ReportWriter::Left, 40, 0);
        w.appendAmount(amount(totals_, "Premie"), 16);
        w.appendAmount(amount(totals_, "Correctie"), 20);
        w.appendAmount(amount(totals_, "Totaal"), 20);
        w.writeLine();
        premie += amount(totals_, "Premie");
        correctie += amount(totals_, "Correctie");
        totaal += amount(totals_, "Totaal");
    }
    w.writeLine();
    w.appendText(Totaal, ReportWriter::Left, 40, 0);
    w.appendAmount(premie, 16);
    w.appendAmount(correctie, 20);
    w.appendAmount(totaal, 20);
    w.writeLine();
}

void ReportBuilder::writeRenewalBlock(const DataSet& row) {
    ReportWriter& w = *writer_;
    w.appendText(personName(row), ReportWriter::Left, 45, 0);
    w.appendField(row, Field::ComponentName, ReportWriter::Left, 40, 0);
    w.writeLine();
    w.appendField(row, Field::UnitKey, ReportWriter::Left, 12, 0);
    w.appendField(row, Field::EmployeeNumber, ReportWriter::Left, 12, 0);
    w.writeLine();
    w.appendField(row, QStringLiteral("5009a"), ReportWriter::Right, 12, 0);
    w.appendField(row, QStringLiteral("5010a"), ReportWriter::Right, 12, 0);
    w.appendAmount(amount(row, "Premie1"), 12);
    w.appendField(row, QStringLiteral("5009b"), ReportWriter::Right, 12, 0);
    w.appendField(row, QStringLiteral("5010b"), ReportWriter::Right, 12, 0);
    w.appendAmount(amount(row, "Premie2"), 12);
    w.appendAmount(amount(row, "Verschil"), 12);
    w.writeLine();
}

void ReportBuilder::walkRecords(ReportKind kind, const QString& title, DataSet& dataSet,
                                ProgressReporter& progress) {
    ReportWriter& w = *writer_;
    progress.setMaximum(dataSet.recordCount());
    progress.setText(GegevensSamenstellen);
    ThrottledProgress throttle(progress, dataSet.recordCount());
    w.setLineCount(0);
    w.setPageNumber(0);
    bool started = false;
    for (dataSet.first(); !dataSet.eof(); dataSet.next()) {
        // A new page when the three lines of a row would run into the footer.
        if (!started || w.lineCount() + 3 > w.pageLength() - 3) {
            w.newPage(title, nullptr, false);
            started = true;
        }
        if (kind == ReportKind::Renewal) writeRenewalBlock(dataSet);
        throttle.update(dataSet.recNo() + 1);
    }
}

void ReportBuilder::walkGroups(ReportKind kind, const QString& title, ProgressReporter& progress) {
    ReportWriter& w = *writer_;
    DataSet& rows = exportData_;
    progress.setMaximum(rows.recordCount());
    progress.setText(GegevensSamenstellen);
    if (kind == ReportKind::Collection) {
        w.setLineCount(0);
        w.setPageNumber(0);
        w.writePageHeader(title, collectivityRow(), true);
        writeTotalsOverview();
        w.writePageFooter(0);
    }
    bool started = false;
    ThrottledProgress throttle(progress, rows.recordCount());
    w.setLineCount(0);
    w.setPageNumber(0);
    for (rows.first();; rows.next()) {
        if (rows.eof()) {
            if (started) writeGroupTotal(kind);
            break;
        }
        const QString key = rows.value(inputs.keyField).toString();
        if (!started || key != groupKey_) {
            if (started) writeGroupTotal(kind);
            if (w.lineCount() > w.pageLength() - 14 || !started) newPage(kind, title);
            started = true;
            buildPersonLines(rows);
            writePersonHeader(rows);
            writeComponentHeader(kind);
            writeComponentLine(kind, rows);
        } else {
            writeComponentLine(kind, rows);
            if (w.lineCount() > w.pageLength() - 4) newPage(kind, title);
        }
        throttle.update(rows.recNo() + 1);
    }
}

void ReportBuilder::buildReport(ReportKind kind, const QString& title, DataSet* dataSet, int source,
                                int pageLength, QIODevice& out, ProgressReporter& progress) {
    const ProgressScope running(progress, RapportGenereren);
    progress.setAnimated(true);
    progress.setText(GegevensVerzamelen);

    prepare(kind, progress);
    if (dataSet) dataSet->first();
    writer_ = std::make_unique<ReportWriter>(out, catalogue_, pageLength, clock_);
    personLines_.clear();
    if (source == 0 && dataSet)
        walkRecords(kind, title, *dataSet, progress);
    else if (source == 1)
        walkGroups(kind, title, progress);

    ReportWriter& w = *writer_;
    // The end marker and the footer must fit below the last line; else a new page.
    if (w.lineCount() + 2 > w.pageLength() - 3) newPage(kind, title);
    w.writeEndMarker();
    w.writePageFooter(w.pageNumber());
    writer_.reset();
}

QString ReportBuilder::buildReportFile(ReportKind kind, const QString& title, DataSet* dataSet, int source,
                                       int pageLength, const QString& folder, ProgressReporter& progress) {
    const QString path = QDir(folder).filePath(
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss")) + QStringLiteral(".txt"));
    FileWriter file(path);
    buildReport(kind, title, dataSet, source, pageLength, file.device(), progress);
    file.commit();
    return path;
}

} // namespace ostrapel
