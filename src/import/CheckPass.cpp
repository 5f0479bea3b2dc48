#include "CheckPass.h"

#include "ImportView.h"
#include "StatementFields.h"
#include "StatementFile.h"

#include "core/RecordCatalogue.h"

#include <QElapsedTimer>
#include <QFileInfo>

namespace ostrapel {

int errorFlags(const StatementSummary& s) {
    int flags = 0;
    if (s.ImpAantalRec != s.AantalRec) flags |= ErrRecords;
    if (s.ImpAantalPers != s.AantalPers) flags |= ErrPersons;
    if (s.VersieNrBestand != StatementFileVersion) flags |= ErrVersion;
    if (s.noCollectivityRecord) flags |= ErrNoCollectivity;
    return flags;
}

QString errorReasons(int flags) {
    QStringList reasons;
    if (flags & ErrRecords) reasons << QStringLiteral("aantal records");
    if (flags & ErrPersons) reasons << QStringLiteral("aantal personen");
    if (flags & ErrVersion) reasons << QStringLiteral("versie applicatie");
    if (flags & ErrNoCollectivity) reasons << QStringLiteral("geen collectiviteitsrecord");
    return reasons.join(QStringLiteral(", "));
}

namespace {

class StrictReader {
public:
    StrictReader(const RecordCatalogue& catalogue, const QString& path)
        : catalogue_(catalogue), path_(path) {}

    QString text(const QString& line, const QString& field) const {
        return fieldText(catalogue_, line, field);
    }

    int wholeNumber(const QString& line, int lineNr, const QString& field) const {
        const QString t = text(line, field);
        int v = 0;
        if (!readWholeNumber(t, &v)) fail(lineNr, field, t, QStringLiteral("geen geldig geheel getal"));
        return v;
    }
    double number(const QString& line, int lineNr, const QString& field) const {
        const QString t = text(line, field);
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (!ok) fail(lineNr, field, t, QStringLiteral("geen geldig getal"));
        return v;
    }
    QDate date(const QString& line, int lineNr, const QString& field) const {
        const QString t = text(line, field);
        const QDate d = t.contains(u'.') ? QDate() : readStatementDate(t);
        if (!d.isValid()) fail(lineNr, field, t, QStringLiteral("geen geldige datum (jjjj-mm-dd)"));
        return d;
    }
    double lenientCents(const QString& line, const QString& field) const {
        int v = 0;
        return readWholeNumber(text(line, field), &v) ? v / 100.0 : 0.0;
    }

private:
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
};

} // namespace

StatementSummary checkStatementFile(const RecordCatalogue& catalogue, ImportView& view, const QString& path,
                                    int databaseVersion) {
    const QString name = QFileInfo(path).fileName();
    const int entry = view.addListEntry(QStringLiteral("Check informatie file \"") + name + u'"');
    const QStringList lines = readStatementLines(path);
    view.setLineProgress(0, int(lines.size()));

    const StrictReader read(catalogue, path);
    StatementSummary s;
    s.fileName = path;
    bool haveSummary = false;
    double total = 0, sumC = 0, sumV = 0;
    int persons = 0, lineNr = 0;
    QElapsedTimer timer;
    timer.start();
    qint64 lastShown = 0;
    for (const QString& line : lines) {
        ++lineNr;
        const QString type = recordTypeOf(catalogue, line);
        if (type == QStringLiteral("00")) {
            persons = 0;
            total = 0;
            s = StatementSummary{};
            s.fileName = path;
            s.CollNr = read.text(line, QStringLiteral("ID01"));
            s.CollVolgNr = read.text(line, QStringLiteral("ID02"));
            s.CollNaam = read.text(line, QStringLiteral("0003"));
            s.Periode = read.text(line, QStringLiteral("ID03"));
            s.RegelVan = lineNr;
            s.Import = u'N';
            s.VersieNrBestand =
                databaseVersion != 0 ? quint8(read.wholeNumber(line, lineNr, QStringLiteral("0020"))) : 0;
            haveSummary = true;
        } else if (type == QStringLiteral("99")) {
            if (haveSummary) {
                s.RegelTot = lineNr;
                s.Aangemaakt = read.date(line, lineNr, QStringLiteral("9902"));
                s.AantalRec = read.wholeNumber(line, lineNr, QStringLiteral("9903"));
                s.AantalPers = read.wholeNumber(line, lineNr, QStringLiteral("9904"));
                s.TotaalBedrag = read.number(line, lineNr, QStringLiteral("9905")) / 100.0;
                s.ImpAantalPers = persons;
                s.ImpAantalRec = lineNr - s.RegelVan + 1;
                s.ImpTotaalBedr = total;
                s.TotaalBedragIncColl = read.lenientCents(line, QStringLiteral("9906"));
                s.TotaalBedragIncVerz = read.lenientCents(line, QStringLiteral("9907"));
                s.ImpTotaalBedragIncVerz = sumV;
                s.ImpTotaalBedragIncColl = sumC;
            }
        } else if (type == QStringLiteral("10")) {
            ++persons;
        } else if (type == QStringLiteral("50")) {
            const double a = read.number(line, lineNr, QStringLiteral("5008")) / 100.0;
            total += a;
            const QString payer = read.text(line, QStringLiteral("5011"));
            if (payer == QStringLiteral("C"))
                sumC += a;
            else if (payer == QStringLiteral("V"))
                sumV += a;
        }
        if (timer.elapsed() - lastShown > 100) {
            lastShown = timer.elapsed();
            view.setLineProgress(lineNr, int(lines.size()));
            view.setCounterPanel(QStringLiteral("Regels: %1").arg(lineNr));
        }
    }
    view.setLineProgress(int(lines.size()), int(lines.size()));
    view.setCounterPanel(QStringLiteral("Regels: %1").arg(lineNr));
    view.replaceListEntry(entry,
                          QStringLiteral("Informatie file: \"") + name + QStringLiteral("\" gecontroleerd"));
    view.setLineProgress(0, int(lines.size()));
    if (!haveSummary) s.noCollectivityRecord = true;
    return s;
}

} // namespace ostrapel
