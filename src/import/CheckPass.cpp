#include "CheckPass.h"

#include "ImportView.h"
#include "StatementFields.h"
#include "StatementFile.h"

#include "core/Encoding.h"
#include "core/RecordCatalogue.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <optional>
#include <utility>

namespace ostrapel {

int errorFlags(const StatementSummary& s) {
    // without a collectivity record the other figures say nothing
    if (s.noCollectivityRecord) return ErrNoCollectivity;
    int flags = s.earlierBlockFlags;
    if (s.countedRecords != s.statedRecords) flags |= ErrRecords;
    if (s.countedPersons != s.statedPersons) flags |= ErrPersons;
    if (s.fileVersion != StatementFileVersion) flags |= ErrVersion;
    if (!s.fault.isEmpty()) flags |= ErrFault;
    return flags;
}

bool isImportable(const StatementSummary& s) {
    return !s.noCollectivityRecord && s.fault.isEmpty();
}

QString errorReasons(int flags) {
    QStringList reasons;
    if (flags & ErrRecords) reasons << QStringLiteral("aantal records");
    if (flags & ErrPersons) reasons << QStringLiteral("aantal personen");
    if (flags & ErrVersion) reasons << QStringLiteral("versie applicatie");
    if (flags & ErrNoCollectivity) reasons << QStringLiteral("geen collectiviteitsrecord");
    return reasons.join(QStringLiteral(", "));
}

QString errorReasons(const StatementSummary& s) {
    const int flags = errorFlags(s);
    QString reasons = errorReasons(flags);
    if (flags & ErrFault) reasons += (reasons.isEmpty() ? QString() : QStringLiteral(", ")) + s.fault;
    return reasons;
}

namespace {

// Reads the fields of a line's bytes; a field's place is looked up once, not
// at every line.
class StrictReader {
public:
    StrictReader(const RecordCatalogue& catalogue, const QString& path)
        : catalogue_(catalogue), path_(path) {}

    // The raw bytes of a field, as rawFieldText cuts them; null when the field has no kind.
    std::optional<QByteArrayView> raw(QByteArrayView line, const QString& field) const {
        const RecordField* e = find(field);
        if (!e) return std::nullopt;
        const qsizetype start = e->start - 1;
        if (start < 0 || start >= line.size()) return QByteArrayView();
        return line.sliced(start, e->length < 0 ? line.size() - start
                                                : std::min<qsizetype>(e->length, line.size() - start));
    }
    // As fieldText reads it.
    QString text(QByteArrayView line, const QString& field) const {
        const std::optional<QByteArrayView> r = raw(line, field);
        return r ? decodeCp1252(trimControl(*r)) : QStringLiteral("-1");
    }

    int wholeNumber(QByteArrayView line, int lineNr, const QString& field) const {
        const QString t = text(line, field);
        int v = 0;
        if (!readWholeNumber(t, &v)) fail(lineNr, field, t, QStringLiteral("geen geldig geheel getal"));
        return v;
    }
    double number(QByteArrayView line, int lineNr, const QString& field) const {
        const QString t = text(line, field);
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (!ok) fail(lineNr, field, t, QStringLiteral("geen geldig getal"));
        return v;
    }
    QDate date(QByteArrayView line, int lineNr, const QString& field) const {
        const QString t = text(line, field);
        const QDate d = t.contains(u'.') ? QDate() : readStatementDate(t);
        if (!d.isValid()) fail(lineNr, field, t, QStringLiteral("geen geldige datum (jjjj-mm-dd)"));
        return d;
    }
    // Whether the import reads the amount the check counted; it stores 0 for
    // what it cannot read (too large, a decimal point, trailing blanks).
    bool storesAmount(QByteArrayView line, const QString& field) const {
        int v = 0;
        return readWholeNumber(raw(line, field).value_or(QByteArrayView()), &v);
    }
    double lenientCents(QByteArrayView line, const QString& field) const {
        int v = 0;
        return readWholeNumber(text(line, field), &v) ? v / 100.0 : 0.0;
    }

private:
    const RecordField* find(const QString& field) const {
        for (const auto& [name, e] : found_)
            if (name == field) return e;
        const RecordField* e = catalogue_.findField(field); // throws for an unknown number
        found_.emplace_back(field, e);
        return e;
    }

    [[noreturn]] void fail(int lineNr, const QString& field, const QString& value,
                           const QString& what) const {
        throw ImportError(
            QStringLiteral(
                "Het bestand \"%1\" kan niet worden ingelezen.\r\nRegel %2, veld %3: \"%4\" is %5.")
                .arg(QFileInfo(path_).fileName())
                .arg(lineNr)
                .arg(field, value, what));
    }

    const RecordCatalogue& catalogue_;
    QString path_;
    // a handful of names, looked up once each
    mutable std::vector<std::pair<QString, const RecordField*>> found_;
};

} // namespace

StatementSummary checkStatementFile(const RecordCatalogue& catalogue, ImportView& view, const QString& path,
                                    int databaseVersion) {
    return checkStatementBytes(catalogue, view, path, readStatementBytes(path), databaseVersion);
}

StatementSummary checkStatementBytes(const RecordCatalogue& catalogue, ImportView& view, const QString& path,
                                     QByteArrayView bytes, int databaseVersion) {
    const QString name = QFileInfo(path).fileName();
    const int entry = view.addListEntry(QStringLiteral("Check informatie file \"") + name + u'"');
    const std::vector<QByteArrayView> lines = splitStatementLines(bytes);
    view.setLineProgress(0, int(lines.size()));

    const StrictReader read(catalogue, path);
    StatementSummary s;
    s.fileName = path;
    bool haveSummary = false;
    bool blockOpen = false; // a collectivity record not yet closed by its control record
    QStringList blockKey;   // the key the control record must repeat
    double total = 0, sumC = 0, sumV = 0;
    int persons = 0, lineNr = 0;
    QString fault;
    auto noteFault = [&](const QString& text) {
        if (fault.isEmpty()) fault = text;
    };
    // ID01, ID02, ID03 and the kind of file, as the refusal of a statement imported before reads them
    auto keyOf = [&](QByteArrayView line, bool control) {
        QString marker = read.text(line, Field::UnitKey).left(1).toUpper();
        if (!control && marker == QStringLiteral("0")) marker = QStringLiteral("9");
        QStringList key;
        for (const QString& field : {Field::CollectivityNumber, Field::CollectivitySequence}) {
            const QString t = read.text(line, field);
            int v = 0;
            key << (readWholeNumber(t, &v) ? QString::number(v) : t);
        }
        return key << read.text(line, Field::Period) << marker;
    };
    QElapsedTimer timer;
    timer.start();
    qint64 lastShown = 0;
    for (const QByteArrayView line : lines) {
        ++lineNr;
        // the record types are ASCII: compared as bytes, they compare as the decoded text would
        const QByteArrayView type = read.raw(line, Field::RecordType).value_or(QByteArrayView());
        const bool blank = trimControl(line).isEmpty();
        // Records outside a block belong to no statement; the import would write
        // them at every delivery, since only a collectivity record is refused.
        if (!haveSummary && !blank && type != QByteArrayView("00") && type != QByteArrayView("99"))
            noteFault(CheckTexts::LinesBeforeCollectivity.arg(lineNr));
        if (haveSummary && !blockOpen && !blank && type != QByteArrayView("00"))
            noteFault(CheckTexts::LinesAfterControl.arg(lineNr));
        if (type == QByteArrayView("00")) {
            if (blockOpen) noteFault(CheckTexts::NoControlRecord);
            // The summary goes on with this block; an earlier one that disagrees
            // with its own control record leaves its flags and lines behind.
            StatementSummary next;
            if (haveSummary) {
                next.earlierBlockFlags = std::exchange(s.earlierBlockFlags, 0);
                next.earlierBlockFrom = s.earlierBlockFrom;
                next.earlierBlockTo = s.earlierBlockTo;
                const int own = errorFlags(s) & (ErrRecords | ErrPersons | ErrVersion);
                if (own != 0 && next.earlierBlockFlags == 0) {
                    next.earlierBlockFrom = s.firstLine;
                    next.earlierBlockTo = s.lastLine;
                }
                next.earlierBlockFlags |= own;
            }
            persons = 0;
            total = 0;
            s = next;
            s.fileName = path;
            s.collectivityNumber = read.text(line, Field::CollectivityNumber);
            s.sequenceNumber = read.text(line, Field::CollectivitySequence);
            s.collectivityName = read.text(line, Field::CollectivityName);
            s.period = read.text(line, Field::Period);
            s.firstLine = lineNr;
            s.importFlag = u'N';
            s.fileVersion =
                databaseVersion != 0 ? quint8(read.wholeNumber(line, lineNr, Field::FileVersion)) : 0;
            haveSummary = true;
            blockOpen = true;
            blockKey = keyOf(line, false);
        } else if (type == QByteArrayView("99")) {
            if (!haveSummary) {
                noteFault(CheckTexts::ControlBeforeCollectivity.arg(lineNr));
            } else if (blockOpen) {
                blockOpen = false;
                const QStringList key = keyOf(line, true);
                if (key.mid(0, 3) != blockKey.mid(0, 3) || (!blockKey[3].isEmpty() && key[3] != blockKey[3]))
                    noteFault(CheckTexts::ControlKeyDiffers.arg(lineNr));
                s.lastLine = lineNr;
                s.createdOn = read.date(line, lineNr, Field::CreatedOn);
                s.statedRecords = read.wholeNumber(line, lineNr, Field::RecordCount);
                s.statedPersons = read.wholeNumber(line, lineNr, Field::PersonCount);
                s.statedTotal = read.number(line, lineNr, Field::TotalAmount) / 100.0;
                s.countedPersons = persons;
                s.countedRecords = lineNr - s.firstLine + 1;
                s.countedTotal = total;
                s.statedTotalCollectivity = read.lenientCents(line, Field::TotalWithCollectivity);
                s.statedTotalInsured = read.lenientCents(line, Field::TotalWithInsured);
                s.countedTotalInsured = sumV;
                s.countedTotalCollectivity = sumC;
            }
        } else if (type == QByteArrayView("10")) {
            ++persons;
        } else if (type == QByteArrayView("50")) {
            const double a = read.number(line, lineNr, Field::Amount) / 100.0;
            if (!read.storesAmount(line, Field::Amount))
                noteFault(CheckTexts::AmountUnreadable.arg(Field::Amount).arg(lineNr));
            total += a;
            const QString payer = read.text(line, Field::Payer);
            if (payer == QStringLiteral("C"))
                sumC += a;
            else if (payer == QStringLiteral("V"))
                sumV += a;
        } else if (!blank) {
            noteFault(CheckTexts::UnknownRecordType.arg(decodeCp1252(trimControl(type))).arg(lineNr));
        }
        if (timer.elapsed() - lastShown > 100) {
            lastShown = timer.elapsed();
            view.setLineProgress(lineNr, int(lines.size()));
            view.setCounterPanel(QStringLiteral("Regels: %1").arg(lineNr));
        }
    }
    if (blockOpen) noteFault(CheckTexts::NoControlRecord);
    view.setLineProgress(int(lines.size()), int(lines.size()));
    view.setCounterPanel(QStringLiteral("Regels: %1").arg(lineNr));
    view.replaceListEntry(entry,
                          QStringLiteral("Informatie file: \"") + name + QStringLiteral("\" gecontroleerd"));
    view.setLineProgress(0, int(lines.size()));
    if (!haveSummary) s.noCollectivityRecord = true;
    s.fault = fault;
    return s;
}

} // namespace ostrapel
