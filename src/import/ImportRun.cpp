#include "ImportRun.h"

#include "BulkInserter.h"
#include "CheckPass.h"
#include "ImportQueries.h"
#include "ImportStopped.h"
#include "ImportView.h"
#include "StatementFields.h"
#include "StatementFile.h"
#include "core/Transaction.h"

#include "core/Connection.h"
#include "core/DataSet.h"
#include "core/Encoding.h"
#include "core/Prompts.h"
#include "core/RecordCatalogue.h"

#include "core/DatabaseError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTime>
#include <QtEndian>
#include <utility>

namespace ostrapel {

namespace {

QString elapsedText(qint64 ms, const QString& format) {
    return QTime(0, 0).addMSecs(ms).toString(format);
}

} // namespace

ImportRun::ImportRun(Connection& connection, const RecordCatalogue& catalogue, Prompts& prompts,
                     ImportView& view, int databaseVersion, QString importDir)
    : connection_(connection), catalogue_(catalogue), prompts_(prompts), view_(view),
      databaseVersion_(databaseVersion), importDir_(std::move(importDir)) {}

ImportRun::~ImportRun() = default;

void ImportRun::setSingleFile(const QString& path) {
    singleFile_ = path;
    view_.setCaption(ImportTexts::SingleFileCaption + QFileInfo(path).fileName());
    view_.setOkEnabled(false);
}

void ImportRun::setFileList(const QStringList& names) {
    fileList_ = names;
}

void ImportRun::execute(const OverviewFn& showOverview) {
    if (done_) return;
    done_ = true;
    view_.setCaption(ImportTexts::CheckingCaption);
    summaries_.clear();
    if (!singleFile_.isEmpty()) {
        summaries_.push_back(check(singleFile_));
    } else {
        QStringList names = fileList_;
        names.sort();
        view_.clearList();
        view_.setFileProgress(0, int(names.size()));
        int step = 0;
        for (const QString& name : std::as_const(names)) {
            if (stopRequested_) break;
            summaries_.push_back(check(QDir(importDir_).filePath(name)));
            view_.setFileProgress(++step, int(names.size()));
        }
    }
    if (stopRequested_) {
        finishStopped();
        return;
    }
    accepted_ = showOverview(summaries_);
    if (!accepted_) return;
    std::erase_if(summaries_,
                  [](const StatementSummary& s) { return s.importFlag == u'N' || !isImportable(s); });

    QElapsedTimer total;
    total.start();
    view_.setCaption(ImportTexts::ImportingCaption);
    view_.clearList();
    view_.setFileProgress(0, int(summaries_.size()));
    bool postProcess = false;
    for (size_t i = 0; i < summaries_.size(); ++i) {
        currentEntry_ = -1;
        try {
            if (stopRequested_) throw ImportStopped();
            importStatementFile(summaries_[i].fileName, summaries_[i].countedRecords, postProcess,
                                i + 1 == summaries_.size());
        } catch (const ImportStopped&) {
            if (currentEntry_ >= 0) {
                const QString text =
                    ImportTexts::NotImported.arg(QFileInfo(summaries_[i].fileName).fileName());
                view_.replaceListEntry(currentEntry_, text);
                results_.push_back({summaries_[i].fileName, Outcome::Stopped, text});
            }
            finishStopped();
            break;
        }
        view_.setFileProgress(int(i + 1), int(summaries_.size()));
    }
    view_.setStatus(
        QStringLiteral("Totale duur: %1").arg(elapsedText(total.elapsed(), QStringLiteral("hh:mm:ss"))));
}

StatementSummary ImportRun::check(const QString& path) {
    QByteArray bytes = readStatementBytes(path);
    StatementSummary s = checkStatementBytes(catalogue_, view_, path, bytes, databaseVersion_);
    checkedPath_ = path;
    checkedBytes_ = std::move(bytes);
    return s;
}

void ImportRun::stopPoint() const {
    if (stopRequested_) throw ImportStopped();
}

void ImportRun::finishStopped() {
    stopped_ = true;
    QStringList imported;
    for (const FileResult& r : results_)
        if (r.outcome == Outcome::Imported) imported << QFileInfo(r.path).fileName();
    const QString text = imported.isEmpty()
                             ? ImportTexts::StoppedNothing
                             : ImportTexts::StoppedImported.arg(imported.join(QStringLiteral(", ")));
    view_.addListEntry(text);
    view_.setGeneralStatus(text);
    view_.setOkEnabled(true);
}

ImportRun::Outcome ImportRun::importStatementFile(const QString& path, int expected, bool& postProcess,
                                                  bool isLast) {
    const QString name = QFileInfo(path).fileName();
    view_.setGeneralStatus(QStringLiteral("File inhoud \"%1\" importeren ...").arg(name));
    const int entry = view_.addListEntry(QStringLiteral("Importeer informatie uit file \"") + name + u'"');
    currentEntry_ = entry;
    if (!QFileInfo::exists(path)) {
        prompts_.inform(ImportTexts::FileNotFound.arg(path));
        results_.push_back({path, Outcome::NotFound, ImportTexts::FileNotFound.arg(path)});
        return Outcome::NotFound;
    }
    const ProgressScope parsing(view_, QStringLiteral("Parse gegevens "));
    QElapsedTimer timer;
    timer.start();
    view_.setLineProgress(0, expected);
    // what the check read, so the file is imported as it was checked
    const QByteArray bytes =
        path == checkedPath_ ? std::exchange(checkedBytes_, QByteArray()) : readStatementBytes(path);
    checkedPath_.clear();
    const std::vector<QByteArrayView> lines = splitStatementLines(bytes);
    auto showProgress = [&](int counter) {
        const qint64 ms = std::max<qint64>(1, timer.elapsed());
        view_.step(QStringLiteral("Regel: %1/%2; ").arg(counter).arg(expected) +
                       QString::number(qint64(counter) * 1000 / ms) + QStringLiteral("r/s"),
                   counter, expected);
    };

    int runState = -1;
    bool standardInsurance = false;
    int counter = 0;
    QByteArrayView lastLine;
    QString refusal;
    {
        // Written whole or not at all: a file never stays half imported. The
        // clean-up of the last file's collectivity is part of the same
        // transaction, so a stop between them cannot leave its superseded
        // persons behind.
        Transaction transaction(connection_);
        BulkInserter inserter(connection_, catalogue_);
        for (const QByteArrayView line : lines) {
            if (runState >= 2) break;
            ++counter;
            lastLine = line;
            const int which = inserter.recordIndex(line);
            if (which == 0) {
                const QString text = decodeCp1252(line);
                // the check reads what this file wrote so far
                inserter.flush();
                lockCollectivity(text);
                runState = isAlreadyImported(text, &refusal);
                if (runState == 0) importedCollectivities_ << text;
                standardInsurance =
                    fieldText(catalogue_, text, Field::UnitKey).startsWith(u'S', Qt::CaseInsensitive);
                if (runState == 0) inserter.insert(which, line, standardInsurance);
            } else if (which > 0) {
                inserter.insert(which, line, standardInsurance);
            }
            if (counter % 50 == 0) {
                stopPoint();
                showProgress(counter);
            }
        }
        showProgress(expected);
        inserter.flush();
        if (!postProcess) postProcess = inserter.recordIndex(lastLine) == 3;
        if (postProcess && isLast) {
            connection_.execute(ImportQueries::StandardTypeCode);
            purgeSupersededPersons(decodeCp1252(lastLine));
        }
        // Current planner statistics let the value lists skip through their
        // indexes instead of reading every month; sampled, so it stays quick.
        if (isLast && !connection_.isPostgreSql()) {
            connection_.execute(ImportQueries::SampledStatisticsLimit);
            connection_.execute(ImportQueries::Statistics);
        }
        stopPoint();
        transaction.commit();
    }
    // after the commit: inside the transaction its table locks would hold up
    // another workstation's import until this one ends
    if (isLast && connection_.isPostgreSql()) analyzeStatementTables();
    // asked only now: while the box is open no lock of this import holds up others
    if (!refusal.isEmpty()) prompts_.warn(refusal);

    const bool refused = runState == 2;
    const QString text =
        refused ? ImportTexts::NotImported.arg(name)
                : ImportTexts::Imported.arg(name, elapsedText(timer.elapsed(), QStringLiteral("mm:ss")));
    view_.replaceListEntry(entry, text);
    view_.setOkEnabled(isLast);
    const Outcome outcome = refused ? Outcome::AlreadyImported : Outcome::Imported;
    results_.push_back({path, outcome, text});
    // The file is in and said to be: a stop or an error from here on leaves
    // its result as it is.
    currentEntry_ = -1;
    if (postProcess && isLast) cleanUpEarlierCollectivities(decodeCp1252(lastLine));
    return outcome;
}

void ImportRun::lockCollectivity(const QString& line) {
    if (!connection_.isPostgreSql()) return; // BEGIN IMMEDIATE already lets one writer in
    // The key as the check compares it: numbers as numbers.
    QStringList key;
    for (const QString& name : {Field::CollectivityNumber, Field::CollectivitySequence}) {
        const QString text = fieldText(catalogue_, line, name);
        bool ok = false;
        const int number = text.toInt(&ok);
        key << (ok ? QString::number(number) : text);
    }
    const QByteArray hash =
        QCryptographicHash::hash(key.join(u'\x1f').toUtf8(), QCryptographicHash::Sha1).left(8);
    const qint64 lockKey = qFromBigEndian<qint64>(hash.constData());
    // Tried rather than waited for, so a stop still ends the run while another
    // workstation imports into the same collectivity.
    QSqlQuery q(connection_.database());
    for (;;) {
        if (!q.exec(ImportQueries::tryCollectivityLock(lockKey)) || !q.next())
            throw DatabaseError(QStringLiteral("Databasefout: %1").arg(q.lastError().text()));
        const bool locked = q.value(0).toBool();
        q.finish();
        if (locked) return;
        stopPoint();
        QThread::msleep(100);
    }
}

void ImportRun::analyzeStatementTables() {
    // Statistics only speed up reading: the import is committed, so a failure
    // here must not report it as failed.
    QSqlQuery q(connection_.database());
    if (!q.exec(ImportQueries::ServerStatistics)) qWarning("ANALYZE: %s", qPrintable(q.lastError().text()));
}

int ImportRun::isAlreadyImported(const QString& line, QString* refusal) {
    const QString collectivityNumber = fieldText(catalogue_, line, Field::CollectivityNumber);
    const QString sequenceNumber = fieldText(catalogue_, line, Field::CollectivitySequence);
    const QString periode = fieldText(catalogue_, line, Field::Period);
    QString c = fieldText(catalogue_, line, Field::UnitKey).left(1);
    if (c == QStringLiteral("0")) c = QStringLiteral("9");
    SqlStatement& q = connection_.prepare(ImportQueries::ImportedStatement);
    q.bind({{QStringLiteral("CollNr"), collectivityNumber},
            {QStringLiteral("VolgNr"), sequenceNumber},
            {QStringLiteral("Periode"), periode},
            {QStringLiteral("Soort"), c + u'%'}});
    q.exec();
    const bool found = q.next();
    q.finish();
    if (!found) return 0;
    *refusal = ImportTexts::AlreadyImported.arg(collectivityNumber, sequenceNumber, periode);
    return 2;
}

CollectivityKey ImportRun::collectivityKey(const QString& line) const {
    return {fieldText(catalogue_, line, Field::CollectivityNumber).toInt(),
            fieldText(catalogue_, line, Field::CollectivitySequence).toInt()};
}

void ImportRun::cleanUpEarlierCollectivities(const QString& lastLine) {
    // The last file's collectivity was cleaned up inside its transaction; the
    // others of a run with several would keep their superseded persons, and
    // the reports would count those persons' components once per period.
    // Each in a transaction of its own, after the last file's commit, so no
    // lock is held while another is waited for. A stop ends the clean-up and
    // an error skips one collectivity: the files are imported either way, and
    // the next import of a collectivity cleans it up.
    const QStringList lines = std::exchange(importedCollectivities_, {});
    QList<CollectivityKey> done{collectivityKey(lastLine)};
    for (const QString& line : lines) {
        const CollectivityKey key = collectivityKey(line);
        if (done.contains(key)) continue;
        done << key;
        try {
            Transaction transaction(connection_);
            lockCollectivity(line);
            purgeSupersededPersons(line);
            transaction.commit();
        } catch (const ImportStopped&) {
            return;
        } catch (const DatabaseError& e) {
            qWarning("clean-up of %s: %s", qPrintable(key.text()), qPrintable(e.message()));
        }
    }
}

void ImportRun::purgeSupersededPersons(const QString& line) {
    bool ok1 = false, ok2 = false;
    const int id01 = fieldText(catalogue_, line, Field::CollectivityNumber).toInt(&ok1);
    const int id02 = fieldText(catalogue_, line, Field::CollectivitySequence).toInt(&ok2);
    if (!ok1 || !ok2) return;
    const QVariantMap collectivity = {{QStringLiteral("id01"), id01}, {QStringLiteral("id02"), id02}};
    DataSet groups = connection_.query(ImportQueries::PersonPeriods, collectivity);
    const int count = groups.recordCount();
    view_.setLineProgress(0, count);
    // One prepared statement per group kind instead of a text per person.
    SqlStatement& deleteZP =
        connection_.prepare(ImportQueries::deleteSupersededPersons(QStringLiteral("'Z','P'")));
    SqlStatement& deleteSV =
        connection_.prepare(ImportQueries::deleteSupersededPersons(QStringLiteral("' '")));
    int row = 0;
    for (groups.first(); !groups.eof(); groups.next()) {
        ++row;
        const QString newest = groups.value(QStringLiteral("m")).toString();
        // a group of one period holds nothing older: most of them, after a first import
        if (groups.value(QStringLiteral("n")).toString() != newest) {
            SqlStatement& del =
                groups.value(QStringLiteral("t")).toString() == QStringLiteral("Z") ? deleteZP : deleteSV;
            del.bind(collectivity);
            del.bind(QStringLiteral("id07"), groups.value(QStringLiteral("id07")).toString());
            del.bind(QStringLiteral("m"), newest);
            del.exec();
        }
        if (row % 25 == 0) {
            stopPoint();
            view_.setCounterPanel(QStringLiteral("Verwerken gegevens: %1/%2").arg(row).arg(count));
            view_.setLineProgress(row, count);
            view_.processEvents();
        }
    }
    view_.setCounterPanel(QStringLiteral("Verwerken gegevens: %1/%2").arg(row).arg(count));
    view_.setLineProgress(count, count);
}

} // namespace ostrapel
