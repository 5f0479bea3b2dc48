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
    QString collectivityNumber;
    QString sequenceNumber;
    QString collectivityName;
    QString period;
    int firstLine = 0;
    int lastLine = 0;
    int statedRecords = 0;
    int statedPersons = 0;
    double statedTotal = 0;
    double statedTotalInsured = 0;
    double statedTotalCollectivity = 0;
    QDate createdOn;
    int countedRecords = 0;
    int countedPersons = 0;
    double countedTotal = 0;
    double countedTotalInsured = 0;
    double countedTotalCollectivity = 0;
    QChar importFlag = u'N';
    quint8 fileVersion = 0;
    // The file has no collectivity record: shown as erroneous, never importable.
    bool noCollectivityRecord = false;
    // The flags (records, persons, version) of earlier blocks of the file that
    // disagree with their own control record; the figures above are the last
    // block's. BlockFrom and BlockTo: the lines of the first such block.
    int earlierBlockFlags = 0;
    int earlierBlockFrom = 0;
    int earlierBlockTo = 0;
    // A fault in the file's build (no or a misplaced control record, an unknown
    // record type, ...): the reason, with its line where there is one. Such a
    // file would be imported wrongly or again and again, so it is never importable.
    QString fault;
};

// Error flags of a summary; a file without a collectivity record has that flag only.
enum ImportErrorFlag { ErrRecords = 1, ErrPersons = 2, ErrVersion = 4, ErrNoCollectivity = 8, ErrFault = 16 };
int errorFlags(const StatementSummary& s);
// The reason texts of the set flags, joined by ", "; ErrFault has no fixed text.
QString errorReasons(int flags);
// The reasons of a summary, its fault included.
QString errorReasons(const StatementSummary& s);
// Whether the file may be ticked for import at all.
bool isImportable(const StatementSummary& s);

} // namespace ostrapel
