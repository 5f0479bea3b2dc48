#pragma once

#include <QDate>
#include <QString>

namespace ostrapel {

// The statement-file version this program reads.
inline constexpr int StatementFileVersion = 1;

// Summary of one statement file from the check pass: what its control record
// states and what was counted.
struct StatementSummary {
    QString fileName; // full path
    QString CollNr;
    QString CollVolgNr;
    QString CollNaam;
    QString Periode;
    int RegelVan = 0;
    int RegelTot = 0;
    int AantalRec = 0;
    int AantalPers = 0;
    double TotaalBedrag = 0;
    double TotaalBedragIncVerz = 0;
    double TotaalBedragIncColl = 0;
    QDate Aangemaakt;
    int ImpAantalRec = 0;
    int ImpAantalPers = 0;
    double ImpTotaalBedr = 0;
    double ImpTotaalBedragIncVerz = 0;
    double ImpTotaalBedragIncColl = 0;
    QChar Import = u'N';
    quint8 VersieNrBestand = 0;
    // The file has no collectivity record: shown as erroneous, never importable.
    bool noCollectivityRecord = false;
};

// Error flags of a summary.
enum ImportErrorFlag { ErrRecords = 1, ErrPersons = 2, ErrVersion = 4, ErrNoCollectivity = 8 };
int errorFlags(const StatementSummary& s);
// The reason texts of the set flags, joined by ", ".
QString errorReasons(int flags);

} // namespace ostrapel
